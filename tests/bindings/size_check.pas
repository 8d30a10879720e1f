{ Checks the Pascal records against the header's layouts in this program's width, and the
  helpers that unpack CreateFillBmp's result. }
program SizeCheck;
{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}
uses
  Varnelle;

var
  Passed: Integer = 0;
  Failed: Integer = 0;
  Rec: TCtrlStruct;
  Entry: TMenuIconEntry;

procedure Expect(Actual, Expected: Int64; const What: string);
begin
  if Actual = Expected then
    Inc(Passed)
  else
  begin
    Inc(Failed);
    WriteLn('FAILED: ', What, ' is ', Actual, ', expected ', Expected);
  end;
end;

function Offset(Field: Pointer): Int64;
begin
  Result := PtrUInt(Field) - PtrUInt(@Rec);
end;

begin
{$IF SizeOf(Pointer) = 8}
  Expect(SizeOf(TCtrlStruct), 96, 'SizeOf(TCtrlStruct)');
  Expect(Offset(@Rec.hIconHover), 8, 'offset of hIconHover');
  Expect(Offset(@Rec.dwFlat), 16, 'offset of dwFlat');
  Expect(Offset(@Rec.crText), 36, 'offset of crText');
  Expect(Offset(@Rec.hFont), 40, 'offset of hFont');
  Expect(Offset(@Rec.pSoundHover), 64, 'offset of pSoundHover');
  Expect(Offset(@Rec.hBmpPressed), 88, 'offset of hBmpPressed');
{$ELSE}
  Expect(SizeOf(TCtrlStruct), 60, 'SizeOf(TCtrlStruct)');
  Expect(Offset(@Rec.hFont), 32, 'offset of hFont');
  Expect(Offset(@Rec.hBmpPressed), 56, 'offset of hBmpPressed');
{$IFEND}
  Expect(SizeOf(TMenuIconEntry), 8, 'SizeOf(TMenuIconEntry)');
  Expect(PtrUInt(@Entry.imageIndex) - PtrUInt(@Entry), 4, 'offset of imageIndex');
  Expect(Int64(NativeInt(VarnelleFillBmpPlain(UInt64($FFFFFFFE00001234)))), $1234, 'VarnelleFillBmpPlain');
  Expect(Int64(NativeInt(VarnelleFillBmpHighlighted(UInt64($FFFFFFFE00001234)))), -2,
    'VarnelleFillBmpHighlighted (sign-extended)');
  WriteLn('pascal: ', Passed, ' passed, ', Failed, ' failed');
  if Failed > 0 then
    Halt(1);
end.

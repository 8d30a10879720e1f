// The gallery's scenes: the library driven as an application drives it, and what the
// system then shows taken as pictures. The gallery program writes them to PNG files; the
// golden-image test compares them with the committed goldens.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "picture.h"

namespace gallery {

// The menu bar of style 2 is the library's only on Windows 2000 and XP, so its pictures
// are taken by a copy of the program that Wine runs as Windows XP. The menus of localised
// programs need a menu font with Greek and Hebrew letters, and Wine keeps the first menu
// font a process shows for good: they are taken by a copy named *_languages.exe. Every
// other picture is taken by a program that runs as a later Windows.
// The popups at another DPI than 96 are taken by a program that runs in a Wine prefix of
// that DPI (scripts/at-dpi).
enum class Part { Main, MenuBarXp, Languages, Dpi };
Part PartOfThisProcess();
const char* PartName(Part part); // "main", "winxp", "languages", "dpi"
// The part a picture belongs to, by its name.
Part PartOfPicture(const std::string& name);

using PictureSink = std::function<void(Picture&&)>;

// Renders the pictures of one part in a fixed order (the fill bitmaps' grain continues
// one random sequence through the process, and icons drawn with DrawIcn sit in the icon
// cell the last menu item measured) and hands each to the sink. Pins the menu look and
// sets each colour scheme in turn, putting both back before it returns. False, with a
// reason, when the look cannot be pinned or a window cannot be made.
bool RenderGallery(HINSTANCE instance, Part part, const PictureSink& sink, std::string& error);

// The scenes, in the order RenderGallery runs them.
bool RenderFillBitmaps(const PictureSink& sink, std::string& error);
bool RenderGradients(const PictureSink& sink, std::string& error);
bool RenderMenus(HINSTANCE instance, const PictureSink& sink, std::string& error);
bool RenderIconModes(const PictureSink& sink, std::string& error);
bool RenderButtons(HINSTANCE instance, const PictureSink& sink, std::string& error);
bool RenderMenuBarXp(HINSTANCE instance, const PictureSink& sink, std::string& error);
bool RenderDarkMenuBar(HINSTANCE instance, const PictureSink& sink, std::string& error);
bool RenderDpiPopups(HINSTANCE instance, const PictureSink& sink, std::string& error);
bool RenderLocalisedMenus(HINSTANCE instance, const PictureSink& sink, std::string& error);

// A shown top-level window of a private class at a fixed place of the screen.
HWND CreateStage(HINSTANCE instance, const char* className, WNDPROC procedure, const RECT& place, HMENU menu = nullptr);

} // namespace gallery

# 32-bit mingw: callers reference stdcall imports as _imp__Name@bytes while the DLL exports
# plain Name. Rebuild the import library from the .def with each name's stdcall decoration
# (read from the objects) and --kill-at, so mingw callers link against the plain exports.
# Run as: cmake -DDEF=... -DOBJECTS=<list of the objects> -DNM=... -DDLLTOOL=... -DIMPLIB=... -DDLL=... -P
file(STRINGS ${DEF} def_lines)
execute_process(COMMAND ${NM} -g --defined-only ${OBJECTS} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} could not read the library's objects")
endif()
set(decorated "LIBRARY ${DLL}\nEXPORTS\n")
foreach(line ${def_lines})
    if(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+@([0-9]+)")
        set(name ${CMAKE_MATCH_1})
        set(ordinal ${CMAKE_MATCH_2})
        if(symbols MATCHES " T _${name}@([0-9]+)")
            string(APPEND decorated "    ${name}@${CMAKE_MATCH_1} @${ordinal}\n")
        else()
            message(FATAL_ERROR "${name} has no stdcall definition in the objects")
        endif()
    endif()
endforeach()
get_filename_component(out_dir ${IMPLIB} DIRECTORY)
file(WRITE ${out_dir}/Varnelle-stdcall.def "${decorated}")
execute_process(COMMAND ${DLLTOOL} -k -d ${out_dir}/Varnelle-stdcall.def -D ${DLL} -l ${IMPLIB}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dlltool failed")
endif()

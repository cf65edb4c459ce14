# Fails when a file in ui/windows includes one of the main window's headers
# (ui/main/frmMain*.h), or when the main window's own ui/main/frmMain.h or
# frmMain.cpp includes a secondary window's (ui/windows/frm*.h). Files whose names
# start with one of the names in EXEMPT are left out. Run with -DSOURCE=<tree>.
set(include "^[ \t]*#[ \t]*include[ \t]*[<\"]")
set(problems "")

file(GLOB windows "${SOURCE}/ui/windows/*.h" "${SOURCE}/ui/windows/*.cpp")
foreach(file IN LISTS windows)
    get_filename_component(name "${file}" NAME)
    set(exempt FALSE)
    foreach(prefix IN LISTS EXEMPT)
        string(FIND "${name}" "${prefix}" at)
        if(at EQUAL 0)
            set(exempt TRUE)
        endif()
    endforeach()
    if(NOT exempt)
        file(STRINGS "${file}" lines REGEX "${include}ui/main/frmMain")
        foreach(line IN LISTS lines)
            string(APPEND problems "ui/windows/${name}: ${line}\n")
        endforeach()
    endif()
endforeach()

foreach(name frmMain.h frmMain.cpp)
    file(STRINGS "${SOURCE}/ui/main/${name}" lines REGEX "${include}ui/windows/frm")
    foreach(line IN LISTS lines)
        string(APPEND problems "ui/main/${name}: ${line}\n")
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "A secondary window and the main window include each other:\n${problems}")
endif()

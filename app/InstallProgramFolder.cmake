# Install step of the program folder, run by `cmake --install`:
# - the generated blueprint icons go into icons/, except where the folder already
#   holds a real picture (a file without the generated mark): a player's own picture
#   survives every reinstall;
# - the desktop entry is written for the folder it is installed in.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(mark "Brenta generated icon")

file(GLOB generated "${BRENTA_GENERATED_ICONS}/*.jpg")
list(LENGTH generated count)
if(count EQUAL 0)
    message(FATAL_ERROR "No generated icons in ${BRENTA_GENERATED_ICONS}: build the program first")
endif()
file(MAKE_DIRECTORY "${folder}/icons")
set(kept 0)
foreach(icon IN LISTS generated)
    get_filename_component(name "${icon}" NAME)
    set(target "${folder}/icons/${name}")
    if(EXISTS "${target}")
        file(STRINGS "${target}" ours LIMIT_INPUT 512 REGEX "${mark}")
        if(NOT ours)
            math(EXPR kept "${kept} + 1")
            continue()
        endif()
    endif()
    file(COPY_FILE "${icon}" "${target}" ONLY_IF_DIFFERENT)
endforeach()
message(STATUS "Blueprint icons: ${count} in ${folder}/icons, ${kept} of them the player's own pictures, kept")

# The Exec value is quoted, so a folder with spaces works; inside the quotes the
# desktop entry format escapes ", `, $ and \ with a backslash, and the backslash of
# a string value is written twice. A "%" is doubled.
set(exec "${CMAKE_INSTALL_PREFIX}/brenta")
string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
string(REPLACE "\"" "\\\\\"" exec "${exec}")
string(REPLACE "`" "\\\\`" exec "${exec}")
string(REPLACE "$" "\\\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(BRENTA_EXEC "\"${exec}\"")
set(icon "${CMAKE_INSTALL_PREFIX}/brenta.png")
string(REPLACE "\\" "\\\\" icon "${icon}")
set(BRENTA_ICON "${icon}")
configure_file("${BRENTA_DESKTOP_TEMPLATE}" "${folder}/brenta.desktop" @ONLY)
message(STATUS "Desktop entry: ${folder}/brenta.desktop")

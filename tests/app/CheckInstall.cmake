# `cmake --install` of a built tree into a fresh program folder whose name needs
# quoting in a desktop entry: the folder gets the executable, the fallback and the
# generated icons, the application icon and a desktop entry that validates and
# starts this folder's executable; neither executable has a run path; a player's own
# picture survives a reinstall.
#   cmake -DBUILD=<build tree> -DFOLDER=<program folder> -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)

# check(<condition> <message>): the condition is if() syntax, in one argument.
macro(check condition message)
    cmake_language(EVAL CODE "if(NOT (${condition}))\n message(FATAL_ERROR [==[${message}]==])\nendif()")
endmacro()

function(install_into folder)
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${folder}"
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    check("rc EQUAL 0" "cmake --install failed:\n${out}")
endfunction()

file(REMOVE_RECURSE "${FOLDER}")
install_into("${FOLDER}")

foreach(file brenta brenta.png brenta.desktop icons/unknown.jpg icons/11294.jpg icons/12380.jpg)
    check("EXISTS \"${FOLDER}/${file}\"" "the program folder lacks ${file}")
endforeach()
# Libraries come from the system's own folders only: a run path would make the
# loader try each first in the program folder, beside it or in the current folder.
foreach(exe "${BUILD}/app/brenta" "${FOLDER}/brenta")
    file(READ_ELF "${exe}" RPATH rpath RUNPATH runpath)
    check("\"${rpath}${runpath}\" STREQUAL \"\"" "${exe} has a run path: '${rpath}${runpath}'")
endforeach()

file(GLOB icons "${FOLDER}/icons/*.jpg")
list(LENGTH icons count)
check("count EQUAL 2580" "expected 2,579 blueprint icons and unknown.jpg, found ${count} pictures")

find_program(VALIDATE desktop-file-validate)
check(VALIDATE "desktop-file-validate is missing (Debian's desktop-file-utils; scripts/setup.sh installs it)")
execute_process(COMMAND ${VALIDATE} "${FOLDER}/brenta.desktop" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
check("rc EQUAL 0 AND out STREQUAL \"\"" "the desktop entry does not validate:\n${out}")

# The entry's Exec, unquoted and unescaped, is this folder's executable.
file(STRINGS "${FOLDER}/brenta.desktop" exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=\"(.*)\"$" "\\1" exec "${exec}")
string(REPLACE "%%" "%" exec "${exec}")
string(REPLACE "\\\\" "\\" exec "${exec}")
string(REGEX REPLACE "\\\\([\"`$\\\\])" "\\1" exec "${exec}")
check("exec STREQUAL \"${FOLDER}/brenta\"" "Exec names '${exec}', not '${FOLDER}/brenta'")

# A real picture a player put in place of a generated icon is kept; a generated
# icon the player removed comes back.
file(WRITE "${FOLDER}/icons/11294.jpg" "the player's own picture")
file(REMOVE "${FOLDER}/icons/12380.jpg")
install_into("${FOLDER}")
file(READ "${FOLDER}/icons/11294.jpg" picture)
check("picture STREQUAL \"the player's own picture\"" "a reinstall replaced the player's own picture")
check("EXISTS \"${FOLDER}/icons/12380.jpg\"" "a reinstall did not restore a generated icon")

file(REMOVE_RECURSE "${FOLDER}")

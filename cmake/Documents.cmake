# The readme and the help files that ship beside DRIM32.EXE, written from
# their UTF-8 sources: the installer copies them from the program's folder
# and the tray's help item opens a help file there, so they are made
# whenever the program is.  DRIM32.HLP serves the systems with a WinHelp
# viewer, DRIM32.CHM (the same source, compiled by chmcmd) the others.  The
# native tree tests the help generators.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(drim_help_source ${PROJECT_SOURCE_DIR}/docs/help/DRIM32.hlp.txt)
set(drim_readme_source ${PROJECT_SOURCE_DIR}/docs/readme/DRIM32.txt)
file(GLOB drim_help_generator CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/winhelp/*.py)

if(WIN32)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/DRIM32.HLP
        COMMAND Python3::Interpreter -B ${PROJECT_SOURCE_DIR}/tools/winhelp/makehlp.py
            ${drim_help_source} ${PROJECT_BINARY_DIR}/DRIM32.HLP
        DEPENDS ${drim_help_source} ${drim_help_generator}
        COMMENT "Writing DRIM32.HLP" VERBATIM)
    find_program(DRIM_CHMCMD chmcmd REQUIRED)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/DRIM32.CHM
        COMMAND Python3::Interpreter -B ${PROJECT_SOURCE_DIR}/tools/winhelp/makechm.py
            ${drim_help_source} ${PROJECT_BINARY_DIR}/DRIM32.CHM ${PROJECT_BINARY_DIR}/chm ${DRIM_CHMCMD}
        DEPENDS ${drim_help_source} ${drim_help_generator}
        COMMENT "Writing DRIM32.CHM" VERBATIM)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/DRIM32.TXT
        COMMAND Python3::Interpreter -B ${PROJECT_SOURCE_DIR}/tools/cp932text.py
            ${drim_readme_source} ${PROJECT_BINARY_DIR}/DRIM32.TXT
        DEPENDS ${drim_readme_source} ${PROJECT_SOURCE_DIR}/tools/cp932text.py
        COMMENT "Writing DRIM32.TXT" VERBATIM)
    add_custom_target(drim_documents
        DEPENDS ${PROJECT_BINARY_DIR}/DRIM32.HLP ${PROJECT_BINARY_DIR}/DRIM32.CHM ${PROJECT_BINARY_DIR}/DRIM32.TXT)
    add_dependencies(DRIM32 drim_documents)
elseif(NOT DRIM_FUZZ)
    add_test(NAME winhelp_generator
        COMMAND Python3::Interpreter -B -m unittest discover -s ${PROJECT_SOURCE_DIR}/tests/winhelp)
endif()

# The package built twice from the same sources must be the same bytes, and
# the linker would otherwise stamp the program with the time it was linked.
if(WIN32)
    target_link_options(DRIM32 PRIVATE -Wl,--no-insert-timestamp)
endif()

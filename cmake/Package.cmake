# The distributable, made in the Windows tree from the files the build has
# just written: the folder package/DRIM32/ and the archive package/DRIM32.zip.
# scripts/package.sh hands out these very files, and the end-to-end scenario
# that installs from the package folder depends on them, so what is tested
# is what ships.
set(drim_release_date 2024-04-01)
set(drim_package ${PROJECT_BINARY_DIR}/package)
set(drim_package_names DRIM32.EXE DRIM32.TXT DRIM32.HLP DRIM32.CHM)
list(TRANSFORM drim_package_names PREPEND ${drim_package}/DRIM32/ OUTPUT_VARIABLE drim_package_copies)

add_custom_command(OUTPUT ${drim_package}/DRIM32.zip ${drim_package_copies}
    COMMAND Python3::Interpreter -B ${PROJECT_SOURCE_DIR}/tools/makepackage.py ${drim_package} ${drim_release_date}
        $<TARGET_FILE:DRIM32> ${PROJECT_BINARY_DIR}/DRIM32.TXT ${PROJECT_BINARY_DIR}/DRIM32.HLP
        ${PROJECT_BINARY_DIR}/DRIM32.CHM
    DEPENDS DRIM32 $<TARGET_FILE:DRIM32> ${PROJECT_BINARY_DIR}/DRIM32.TXT ${PROJECT_BINARY_DIR}/DRIM32.HLP
        ${PROJECT_BINARY_DIR}/DRIM32.CHM
        ${PROJECT_SOURCE_DIR}/tools/makepackage.py ${PROJECT_SOURCE_DIR}/tools/makezip.py
    COMMENT "Packing DRIM32.zip" VERBATIM)
add_custom_target(drim_package DEPENDS ${drim_package}/DRIM32.zip)

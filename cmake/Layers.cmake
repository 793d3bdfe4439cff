# The product's folders in the order of the README's layer table, from the
# bottom up: a folder may include itself and the folders listed before it.
include_guard(GLOBAL)

function(drim_read_layers source_dir out)
    # The table is the one under the heading "### Layers", up to the next
    # heading.
    file(READ ${source_dir}/README.md readme)
    string(FIND "${readme}" "\n### Layers\n" start)
    set(layers)
    if(start GREATER -1)
        string(SUBSTRING "${readme}" ${start} -1 section)
        string(SUBSTRING "${section}" 1 -1 section)
        string(FIND "${section}" "\n#" end)
        string(SUBSTRING "${section}" 0 ${end} section)
        string(REGEX MATCHALL "\n\\| `[a-z]+/` \\|" rows "${section}")
        foreach(row IN LISTS rows)
            string(REGEX REPLACE "^\n\\| `([a-z]+)/`.*" "\\1" layer "${row}")
            list(APPEND layers ${layer})
        endforeach()
    endif()
    if(NOT layers)
        message(FATAL_ERROR "README.md: no layer table")
    endif()
    set(${out} ${layers} PARENT_SCOPE)
endfunction()

function(drim_layer_files source_dir layer out)
    file(GLOB_RECURSE files ${source_dir}/${layer}/*.h ${source_dir}/${layer}/*.cpp ${source_dir}/${layer}/*.rc)
    set(${out} ${files} PARENT_SCOPE)
endfunction()

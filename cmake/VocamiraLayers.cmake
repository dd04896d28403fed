# One static library per layer of the sources, from the bottom:
#   core        shared state, settings, files                 (QtCore)
#   domain      banks, the judge, records, history, the rules
#               and the running of a test                      (QtSql)
#   gui_shared  what every window shares                       (QtWidgets, QtMultimedia)
#   windows     the windows and dialogs                        (QtCharts)
#   app         the main window
# A layer links the one below it and so sees the headers of every layer below,
# never those above: each library's include folder in the build tree holds a
# forwarding header for each header of its own, and nothing else. A file that
# names a higher layer's header ("records/result.h" in the records store) is
# not found by the compiler. An include the compiler resolves beside the file
# itself ("result.h") is caught before any compile by the layer check, which
# also refuses a header that belongs to no layer.
include_guard(GLOBAL)

set(VOCAMIRA_LAYERS core domain gui_shared windows app)
set(VOCAMIRA_LAYER_ROOT "${CMAKE_BINARY_DIR}/layers")
set(VOCAMIRA_LAYER_CHECK "${CMAKE_CURRENT_LIST_DIR}/CheckLayers.cmake")

# Writes a generated file only when its content changes, so that nothing that
# includes it is rebuilt for nothing.
function(vocamira_write_if_changed path content)
    if(EXISTS "${path}")
        file(READ "${path}" old)
        if(old STREQUAL content)
            return()
        endif()
    endif()
    file(WRITE "${path}" "${content}")
endfunction()

# vocamira_add_layer(<layer> <what it links>...)
function(vocamira_add_layer layer)
    add_library(vocamira_${layer} STATIC)
    target_include_directories(vocamira_${layer} PUBLIC "${VOCAMIRA_LAYER_ROOT}/${layer}")
    target_link_libraries(vocamira_${layer} PUBLIC ${ARGN})
    add_dependencies(vocamira_${layer} vocamira_layer_check)
endfunction()

# vocamira_layer_sources(<layer> <files of the current folder>...)
function(vocamira_layer_sources layer)
    if(NOT layer IN_LIST VOCAMIRA_LAYERS)
        message(FATAL_ERROR "vocamira_layer_sources: no layer '${layer}' (layers: ${VOCAMIRA_LAYERS})")
    endif()
    target_sources(vocamira_${layer} PRIVATE ${ARGN})
    file(RELATIVE_PATH folder "${VOCAMIRA_SOURCE_ROOT}" "${CMAKE_CURRENT_SOURCE_DIR}")
    foreach(file IN LISTS ARGN)
        set(path "${CMAKE_CURRENT_SOURCE_DIR}/${file}")
        set_property(GLOBAL APPEND PROPERTY VOCAMIRA_LAYER_FILES_${layer} "${path}")
        if(NOT file MATCHES "\\.h$")
            continue()
        endif()
        # Relative, so that every checkout's build makes the same file and
        # the shared compiler cache serves them all.
        set(forward "${VOCAMIRA_LAYER_ROOT}/${layer}/${folder}/${file}")
        get_filename_component(forward_dir "${forward}" DIRECTORY)
        file(RELATIVE_PATH relative "${forward_dir}" "${path}")
        vocamira_write_if_changed("${forward}" "#include \"${relative}\"\n")
        set_property(GLOBAL APPEND PROPERTY VOCAMIRA_LAYER_FORWARDS "${forward}")
    endforeach()
endfunction()

# After every folder has named its files: forwarding headers of files that
# moved to another layer (or went) are removed, and the layer check gets the
# list of each layer's files. `program_files` sit above every layer.
function(vocamira_finish_layers program_files)
    get_property(forwards GLOBAL PROPERTY VOCAMIRA_LAYER_FORWARDS)
    file(GLOB_RECURSE existing "${VOCAMIRA_LAYER_ROOT}/*.h")
    foreach(file IN LISTS existing)
        if(NOT file IN_LIST forwards)
            file(REMOVE "${file}")
        endif()
    endforeach()

    set(manifest "set(VOCAMIRA_LAYERS ${VOCAMIRA_LAYERS} program)\n")
    set(all_files "")
    foreach(layer IN LISTS VOCAMIRA_LAYERS)
        get_property(files GLOBAL PROPERTY VOCAMIRA_LAYER_FILES_${layer})
        string(APPEND manifest "set(VOCAMIRA_LAYER_FILES_${layer} \"${files}\")\n")
        list(APPEND all_files ${files})
    endforeach()
    string(APPEND manifest "set(VOCAMIRA_LAYER_FILES_program \"${program_files}\")\n")
    list(APPEND all_files ${program_files})
    set(manifest_file "${VOCAMIRA_LAYER_ROOT}/layers.cmake")
    vocamira_write_if_changed("${manifest_file}" "${manifest}")

    set(stamp "${VOCAMIRA_LAYER_ROOT}/checked.stamp")
    add_custom_command(OUTPUT "${stamp}"
        COMMAND "${CMAKE_COMMAND}" -DMANIFEST=${manifest_file} -DSOURCE_ROOT=${VOCAMIRA_SOURCE_ROOT}
                -DSTAMP=${stamp} -P "${VOCAMIRA_LAYER_CHECK}"
        DEPENDS ${all_files} "${manifest_file}" "${VOCAMIRA_LAYER_CHECK}"
        COMMENT "Checking that every source includes only its own layer and those below"
        VERBATIM)
    # Every layer waits for it, so no compile starts on a file that breaks the rule.
    add_custom_target(vocamira_layer_check ALL DEPENDS "${stamp}")
endfunction()

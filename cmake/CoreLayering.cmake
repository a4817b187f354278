# The core libraries (board tables, view, navigation, fault location) are plain C++: they link no
# Qt, and none of their files includes Qt, the window (src/shell), the Help windows (src/help), or
# the Qt files that share their folders (the raster beside the view, the entry windows beside the
# fault location). Two checks hold this:
#   - dorvik_check_core_layering, when the build is configured: the whole link interface of each
#     core library, followed through the project's own libraries, names no Qt target, and the
#     includes are as below;
#   - the dorvik_core_layering test runs this file as a script over the core folders' files as
#     they are at test time, so a new include is caught without configuring again.

if(CMAKE_SCRIPT_MODE_FILE)
    cmake_minimum_required(VERSION 3.25)
endif()

# Libraries the given targets link, followed through the project's own (non-imported) targets.
function(_dorvik_link_closure out_var)
    set(seen)
    set(pending ${ARGN})
    while(pending)
        list(POP_FRONT pending item)
        if(item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${item})
        if(NOT TARGET ${item})
            continue()
        endif()
        get_target_property(imported ${item} IMPORTED)
        if(imported)
            continue()
        endif()
        get_target_property(type ${item} TYPE)
        set(links)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(direct ${item} LINK_LIBRARIES)
            if(direct)
                list(APPEND links ${direct})
            endif()
        endif()
        get_target_property(interface ${item} INTERFACE_LINK_LIBRARIES)
        if(interface)
            list(APPEND links ${interface})
        endif()
        foreach(link IN LISTS links)
            # $<LINK_ONLY:x> and similar wrappers still name x.
            string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
            list(APPEND pending ${link})
        endforeach()
    endwhile()
    set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration when a core library reaches a Qt target, directly or through another
# library of the project, or when a file of a core folder includes what it must not. Writes what
# the include check needs to know about the folders for the test that repeats it.
function(dorvik_check_core_layering)
    set(core_targets ${ARGN})
    set(folders)
    set(outside)
    foreach(core IN LISTS core_targets)
        _dorvik_link_closure(closure ${core})
        foreach(item IN LISTS closure)
            if(item MATCHES "(^|[/-])(lib)?Qt[0-9]*(::|[A-Z])")
                message(FATAL_ERROR "${core} links ${item}: the core libraries must not use Qt "
                                    "(put Qt code in a library of its own, as dorvik_raster)")
            endif()
        endforeach()

        # Files of other targets in a core folder (the raster, the entry windows) are not core.
        get_target_property(dir ${core} SOURCE_DIR)
        list(APPEND folders ${dir})
        get_property(neighbours DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(neighbour IN LISTS neighbours)
            if(neighbour IN_LIST core_targets)
                continue()
            endif()
            get_target_property(sources ${neighbour} SOURCES)
            foreach(source IN LISTS sources)
                get_filename_component(path ${source} ABSOLUTE BASE_DIR ${dir})
                list(APPEND outside ${path})
            endforeach()
        endforeach()
    endforeach()

    file(WRITE ${PROJECT_BINARY_DIR}/CoreLayeringFiles.cmake
         "set(DORVIK_SOURCE_ROOT \"${PROJECT_SOURCE_DIR}/src\")\n"
         "set(DORVIK_CORE_FOLDERS \"${folders}\")\n"
         "set(DORVIK_OUTSIDE_CORE \"${outside}\")\n")
    set(DORVIK_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
    set(DORVIK_CORE_FOLDERS ${folders})
    set(DORVIK_OUTSIDE_CORE ${outside})
    dorvik_check_core_includes()
endfunction()

# The libraries beside the core that may use Qt Core (the repair log's store over Qt SQL), but
# never a window: their link interface reaches neither Qt Gui nor Qt Widgets nor a window library
# of the project, so a window's header does not even compile there.
function(dorvik_check_no_window)
    foreach(library IN LISTS ARGN)
        _dorvik_link_closure(closure ${library})
        foreach(item IN LISTS closure)
            if(item MATCHES "Qt[0-9]*::(Gui|Widgets|PrintSupport|Charts)$" OR
               item MATCHES "^dorvik_(widgets|raster|faults_ui|help|shell)$")
                message(FATAL_ERROR "${library} links ${item}: it must not reach a window")
            endif()
        endforeach()
    endforeach()
endfunction()

# The include check: every file of a core folder that belongs to no other library may include
# neither Qt nor src/shell nor src/help nor a file that belongs to another library.
function(dorvik_check_core_includes)
    set(outside_names)
    foreach(path IN LISTS DORVIK_OUTSIDE_CORE)
        file(RELATIVE_PATH name ${DORVIK_SOURCE_ROOT} ${path})
        list(APPEND outside_names ${name})
    endforeach()

    set(faults)
    foreach(folder IN LISTS DORVIK_CORE_FOLDERS)
        file(GLOB files ${folder}/*.h ${folder}/*.cpp)
        foreach(file IN LISTS files)
            if(file IN_LIST DORVIK_OUTSIDE_CORE)
                continue()
            endif()
            file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
            foreach(line IN LISTS includes)
                string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1"
                       included "${line}")
                if(included MATCHES "^Q" OR included MATCHES "^qt" OR
                   included MATCHES "^(shell|help)/" OR included IN_LIST outside_names)
                    file(RELATIVE_PATH shown ${DORVIK_SOURCE_ROOT} ${file})
                    list(APPEND faults "${shown} includes ${included}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(faults)
        list(JOIN faults "\n  " text)
        message(FATAL_ERROR "The core libraries must stay free of Qt and of the window:\n  ${text}")
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    include(${DORVIK_CORE_LAYERING_CONFIG})
    dorvik_check_core_includes()
endif()

# Installs into the install prefix the PLUGINS (each "folder=file") and every DLL that they and
# EXECUTABLES load, directly or through each other, looked for in DIRS; what Windows itself
# brings is found in SYSTEM_DIR (Wine's copies, on a build machine) or in a System32 folder and
# left out. Run by `cmake --install`; with --strip these are stripped as the programs are.
#
# Windows reads DLL names without regard to case: an import table says "Qt6Core.dll" and CMake
# asks for "qt6core.dll". Where the files' names have case, a name not found as asked is looked
# for among the folders' DLLs regardless of case, and its own imports are read in the next round.
function(install_stripped file folder)
    file(INSTALL ${file} DESTINATION "${CMAKE_INSTALL_PREFIX}/${folder}")
    if(CMAKE_INSTALL_DO_STRIP)
        get_filename_component(name ${file} NAME)
        execute_process(COMMAND ${STRIP} --strip-unneeded "${CMAKE_INSTALL_PREFIX}/${folder}/${name}"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endfunction()

set(modules)
foreach(plugin IN LISTS PLUGINS)
    string(REPLACE "=" ";" plugin ${plugin})
    list(GET plugin 0 folder)
    list(GET plugin 1 file)
    install_stripped(${file} ${folder})
    list(APPEND modules ${file})
endforeach()

set(exclude_by_name "^api-ms-" "^ext-ms-")
set(exclude_by_place "^${SYSTEM_DIR}/" "[/\\][Ss]ystem32[/\\]")
set(executables ${EXECUTABLES})
set(libraries)
set(installed)
while(executables OR modules OR libraries)
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES ${executables} MODULES ${modules} LIBRARIES ${libraries}
        RESOLVED_DEPENDENCIES_VAR found UNRESOLVED_DEPENDENCIES_VAR missing
        DIRECTORIES ${DIRS} ${SYSTEM_DIR}
        PRE_EXCLUDE_REGEXES ${exclude_by_name} POST_EXCLUDE_REGEXES ${exclude_by_place})
    set(executables)
    set(modules)
    set(libraries)
    foreach(name IN LISTS missing)
        set(match)
        foreach(dir IN LISTS DIRS)
            file(GLOB candidates LIST_DIRECTORIES false "${dir}/*.dll")
            foreach(candidate IN LISTS candidates)
                get_filename_component(candidate_name ${candidate} NAME)
                string(TOLOWER "${candidate_name}" candidate_name)
                if(candidate_name STREQUAL name)
                    set(match ${candidate})
                    break()
                endif()
            endforeach()
            if(match)
                break()
            endif()
        endforeach()
        if(NOT match)
            message(FATAL_ERROR "${name}, which the programs load, is in none of: ${DIRS}")
        endif()
        list(APPEND found ${match})
    endforeach()
    foreach(file IN LISTS found)
        get_filename_component(key ${file} NAME)
        string(TOLOWER "${key}" key)
        list(FIND installed ${key} known)
        if(known EQUAL -1)
            list(APPEND installed ${key})
            list(APPEND libraries ${file})
            install_stripped(${file} "${DESTINATION}")
        endif()
    endforeach()
endwhile()

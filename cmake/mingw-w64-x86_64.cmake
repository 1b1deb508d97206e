# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads, so that std::thread
# and the C++ runtime's mutexes work as on Linux).
#
# The libraries built for Windows live in one prefix, given as the cache variable
# VESKPLAN_WINDOWS_PREFIX or the environment variable of that name (scripts/windows.sh sets it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# The toolchain file is read again for every try_compile project, which sees no cache
# variables: pass the prefix on through the environment.
if(NOT VESKPLAN_WINDOWS_PREFIX AND DEFINED ENV{VESKPLAN_WINDOWS_PREFIX})
    set(VESKPLAN_WINDOWS_PREFIX "$ENV{VESKPLAN_WINDOWS_PREFIX}")
endif()
if(NOT VESKPLAN_WINDOWS_PREFIX)
    message(FATAL_ERROR "Set VESKPLAN_WINDOWS_PREFIX (cache or environment) to the prefix of "
                        "the libraries built for Windows")
endif()
set(VESKPLAN_WINDOWS_PREFIX "${VESKPLAN_WINDOWS_PREFIX}"
    CACHE PATH "Prefix of the libraries built for Windows")
set(ENV{VESKPLAN_WINDOWS_PREFIX} "${VESKPLAN_WINDOWS_PREFIX}")

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} "${VESKPLAN_WINDOWS_PREFIX}")
list(APPEND CMAKE_PREFIX_PATH "${VESKPLAN_WINDOWS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must see the Windows libraries' .pc files only, never the host's.
set(ENV{PKG_CONFIG_LIBDIR}
    "${VESKPLAN_WINDOWS_PREFIX}/lib/pkgconfig:${VESKPLAN_WINDOWS_PREFIX}/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# Qt's build tools (moc, rcc, uic) run on the build machine: Debian's qt6-base-dev-tools.
if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr CACHE PATH "Prefix of Qt's host tools")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake
        CACHE PATH "CMake packages of Qt's host tools")
endif()

# The DLLs a program loads are read from its import table by the cross binutils' objdump.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${mingw_triplet}-objdump)

# Cross-build for 32-bit Windows with MinGW-w64; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

find_program(MINGW_CXX NAMES i686-w64-mingw32-g++-posix i686-w64-mingw32-g++)
if(NOT MINGW_CXX)
  message(FATAL_ERROR "i686-w64-mingw32-g++ not found: run scripts/install-deps.sh")
endif()
set(CMAKE_CXX_COMPILER ${MINGW_CXX})
# GoogleTest needs std::mutex, which the posix threading variant has; it links
# statically like the rest. GoogleTest's project also enables C.
find_program(MINGW_CC NAMES i686-w64-mingw32-gcc-posix i686-w64-mingw32-gcc REQUIRED)
set(CMAKE_C_COMPILER ${MINGW_CC})
find_program(MINGW_WINDRES NAMES i686-w64-mingw32-windres REQUIRED)
set(CMAKE_RC_COMPILER ${MINGW_WINDRES})

find_program(WINE_PROGRAM NAMES wine)
if(NOT WINE_PROGRAM)
  message(FATAL_ERROR "wine not found: run scripts/install-deps.sh")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The exes are single-threaded: they link the runtime of the win32 thread model,
# which needs no winpthreads (some 26 KB less in every exe). The compiler itself is
# the posix variant because GoogleTest needs std::mutex.
find_program(MINGW_CXX_WIN32_THREADS NAMES i686-w64-mingw32-g++-win32 REQUIRED)
execute_process(COMMAND ${MINGW_CXX_WIN32_THREADS} -print-libgcc-file-name
                OUTPUT_VARIABLE MINGW_WIN32_THREADS_LIBGCC OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(MINGW_SINGLE_THREAD_RUNTIME ${MINGW_WIN32_THREADS_LIBGCC} DIRECTORY)

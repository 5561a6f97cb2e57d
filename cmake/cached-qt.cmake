# The toolchain of the Windows and web trees: the Qt for that platform that
# scripts/qt_cache.sh keeps, whose own toolchain file loads the platform's
# compiler (QT_CHAINLOAD_TOOLCHAIN_FILE). The script names that Qt once, when
# it first configures the tree; the build folder's cache keeps it from then on.
if(NOT POKAZ_QT_PREFIX)
    message(FATAL_ERROR "This tree has no Qt for its platform yet: run scripts/windows.sh or scripts/web.sh once")
endif()
# try_compile's projects read this file too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES POKAZ_QT_PREFIX)
include(${POKAZ_QT_PREFIX}/lib/cmake/Qt6/qt.toolchain.cmake)

# Runs under 32-bit Wine, in a 32-bit prefix (scripts/test-windows.sh --i686).
set(VX_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

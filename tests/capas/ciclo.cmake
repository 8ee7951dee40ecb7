# Each library uses the other.
include(${CMAKE_CURRENT_LIST_DIR}/base.cmake)
set(VK_USA_alta baja)
set(VK_USA_baja alta)

# alta uses baja, and baja includes a header of alta.
include(${CMAKE_CURRENT_LIST_DIR}/base.cmake)
set(VK_USA_alta baja)

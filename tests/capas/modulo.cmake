# alta links baja, a module that is only loaded at run time.
include(${CMAKE_CURRENT_LIST_DIR}/base.cmake)
set(VK_USA_alta baja)
set(VK_MODULO_baja TRUE)

# A core library over QtWidgets.
include(${CMAKE_CURRENT_LIST_DIR}/base.cmake)
set(VK_USA_alta baja)
set(VK_USA_baja Qt6::Widgets)
set(VK_NUCLEO_baja TRUE)

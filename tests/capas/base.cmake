# Cases of the layer check: two libraries, alta meant to sit over baja, and baja including alta.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH pruebas)
cmake_path(GET pruebas PARENT_PATH VK_RAIZ)
set(VK_INCLUDES ${CMAKE_CURRENT_LIST_DIR})
set(VK_OBJETIVOS baja alta)
set(VK_BIBLIOTECA_baja TRUE)
set(VK_BIBLIOTECA_alta TRUE)
set(VK_FUENTES_baja ${CMAKE_CURRENT_LIST_DIR}/baja/baja.h ${CMAKE_CURRENT_LIST_DIR}/baja/baja.cpp)
set(VK_FUENTES_alta ${CMAKE_CURRENT_LIST_DIR}/alta/alta.h)

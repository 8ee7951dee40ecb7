# The layers of the build: libraries over the libraries they use, test binaries over one layer,
# and the check that keeps every include pointing down (compruebacapas.cmake).

# vk_biblioteca(<name> <folder> [NUCLEO | MODULO] [SIN <file>...] [SOLO <file>...] USA <library>...
#               [CARGA <module>...])
# A static library of the .cpp and .h files of <folder> (SOLO: only those; SIN: all but those) that
# uses the libraries after USA. NUCLEO marks a core library: logic only, no QtWidgets. MODULO makes
# a module instead, a shared library beside the executable that a library loads at run time, when
# first needed, and names after CARGA: built with it, its headers included by it, never linked.
function(vk_biblioteca nombre carpeta)
    cmake_parse_arguments(A "NUCLEO;MODULO" "" "SIN;SOLO;USA;CARGA" ${ARGN})
    set(dir ${CMAKE_SOURCE_DIR}/${carpeta})
    if(A_SOLO)
        list(TRANSFORM A_SOLO PREPEND ${dir}/ OUTPUT_VARIABLE fuentes)
    else()
        file(GLOB fuentes CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
        foreach(f IN LISTS A_SIN)
            list(REMOVE_ITEM fuentes ${dir}/${f})
        endforeach()
    endif()
    if(A_MODULO)
        add_library(${nombre} MODULE ${fuentes})
        set_target_properties(${nombre} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
                                                   CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
    else()
        add_library(${nombre} STATIC ${fuentes})
    endif()
    foreach(m IN LISTS A_CARGA)
        add_dependencies(${nombre} ${m})
    endforeach()
    target_include_directories(${nombre} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    if(carpeta MATCHES "^tests/")
        target_include_directories(${nombre} PUBLIC ${CMAKE_SOURCE_DIR}/tests)
    elseif(carpeta STREQUAL "app")
        target_include_directories(${nombre} PUBLIC ${CMAKE_SOURCE_DIR})
    endif()
    target_link_libraries(${nombre} PUBLIC ${A_USA})
    set_property(GLOBAL APPEND PROPERTY VK_OBJETIVOS ${nombre})
    set_property(GLOBAL PROPERTY VK_BIBLIOTECA_${nombre} TRUE)
    set_property(GLOBAL PROPERTY VK_NUCLEO_${nombre} ${A_NUCLEO})
    set_property(GLOBAL PROPERTY VK_USA_${nombre} ${A_USA})
    set_property(GLOBAL PROPERTY VK_MODULO_${nombre} ${A_MODULO})
    set_property(GLOBAL PROPERTY VK_CARGA_${nombre} ${A_CARGA})
    set_property(GLOBAL PROPERTY VK_FUENTES_${nombre} ${fuentes})
endfunction()

# vk_pruebas(<name> <folder> <library> [<support library>...])
# The test binary test_<name> of the tests in <folder>, run by ctest as <name>: it links the
# library under test and what lies below it, the support given and the entry point that fits (a
# core library's tests run without QtWidgets).
function(vk_pruebas nombre carpeta capa)
    file(GLOB fuentes CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${carpeta}/*.cpp ${CMAKE_SOURCE_DIR}/${carpeta}/*.h)
    get_property(nucleo GLOBAL PROPERTY VK_NUCLEO_${capa})
    if(nucleo)
        set(principal vk_pruebas_main)
    else()
        set(principal vk_pruebas_main_ui)
    endif()
    set(usa ${capa} ${ARGN} ${principal})
    add_executable(test_${nombre} ${fuentes})
    target_include_directories(test_${nombre} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(test_${nombre} PRIVATE ${usa})
    add_test(NAME ${nombre} COMMAND test_${nombre})
    set_tests_properties(${nombre} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 600)
    set_property(GLOBAL APPEND PROPERTY VK_OBJETIVOS test_${nombre})
    set_property(GLOBAL PROPERTY VK_CAPA_test_${nombre} ${capa})
    set_property(GLOBAL PROPERTY VK_USA_test_${nombre} ${usa})
    set_property(GLOBAL PROPERTY VK_FUENTES_test_${nombre} ${fuentes})
endfunction()

# Writes the table of the layers and checks it on every build (target "capas") and in ctest.
function(vk_comprueba_capas)
    set(tabla ${CMAKE_BINARY_DIR}/capas_tabla.cmake)
    set(texto "set(VK_RAIZ \"${CMAKE_SOURCE_DIR}\")\n")
    string(APPEND texto "set(VK_INCLUDES \"${CMAKE_SOURCE_DIR}/src;${CMAKE_SOURCE_DIR}/tests;${CMAKE_SOURCE_DIR}\")\n")
    get_property(objetivos GLOBAL PROPERTY VK_OBJETIVOS)
    string(APPEND texto "set(VK_OBJETIVOS \"${objetivos}\")\n")
    set(todas "")
    foreach(t IN LISTS objetivos)
        foreach(p BIBLIOTECA NUCLEO MODULO CAPA USA CARGA FUENTES)
            get_property(v GLOBAL PROPERTY VK_${p}_${t})
            string(APPEND texto "set(VK_${p}_${t} \"${v}\")\n")
        endforeach()
        get_property(f GLOBAL PROPERTY VK_FUENTES_${t})
        list(APPEND todas ${f})
    endforeach()
    file(WRITE ${tabla} "${texto}")

    set(script ${CMAKE_SOURCE_DIR}/cmake/compruebacapas.cmake)
    list(REMOVE_DUPLICATES todas)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/capas.ok
                       COMMAND ${CMAKE_COMMAND} -DTABLA=${tabla} -P ${script}
                       COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/capas.ok
                       DEPENDS ${todas} ${script} ${tabla}
                       COMMENT "Checking that includes point down the layers" VERBATIM)
    add_custom_target(capas ALL DEPENDS ${CMAKE_BINARY_DIR}/capas.ok)
    add_test(NAME capas COMMAND ${CMAKE_COMMAND} -DTABLA=${tabla} -P ${script})
    # The check itself: an include from a lower layer, a cycle, a core library over QtWidgets and
    # a linked module are each refused with their message.
    set(capas_subida "capas/baja/baja.cpp \\(baja\\) includes alta/alta.h \\(alta\\)")
    set(capas_ciclo "cycle: alta uses alta")
    set(capas_widgets "baja is a core library and links Qt6::Widgets")
    set(capas_modulo "alta links baja, a module that is only loaded at run time")
    foreach(caso subida ciclo widgets modulo)
        add_test(NAME capas_${caso}
                 COMMAND ${CMAKE_COMMAND} -DTABLA=${CMAKE_SOURCE_DIR}/tests/capas/${caso}.cmake -P ${script})
        set_tests_properties(capas_${caso} PROPERTIES PASS_REGULAR_EXPRESSION "${capas_${caso}}")
    endforeach()
endfunction()

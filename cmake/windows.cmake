# Windows configuration (mingw-w64): the product and the tests run under Wine.

enable_language(RC)

# Everything links the C++ runtime statically so that the binaries import
# system DLLs only.
set(WINDOWS_SYSTEM_LIBS
  ole32 oleaut32 uuid shell32 shlwapi comdlg32 comctl32 user32 gdi32 advapi32 kernel32)
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_link_options(-Wl,--enable-stdcall-fixup)
  set(TOLLIVOR_RUNS_HERE OFF)
else()
  set(TOLLIVOR_RUNS_HERE ON)
endif()

# A DLL whose exports are named, undecorated, by a .def file.
function(tollivor_dll name)
  cmake_parse_arguments(ARG "" "DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES} ${ARG_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${WINDOWS_SYSTEM_LIBS})
endfunction()

# The Win32 forms platform. An object library: the portable core calls back
# into it (defaultPlatform), which one pass over static libraries would miss.
file(GLOB WIN32_PLATFORM_SOURCES CONFIGURE_DEPENDS src/forms/win32/*.cpp src/win32/*.cpp)
add_library(tollivor_win32 OBJECT ${WIN32_PLATFORM_SOURCES})
target_link_libraries(tollivor_win32 PUBLIC tollivor_portable ${WINDOWS_SYSTEM_LIBS})

# The type library, from IDL with widl, embedded in the DLL as a resource.
# widl names the ItemInfo parameters the IDL leaves unnamed; the library
# hosts see stores no name there, so a second step takes the names out.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(DROP_PARAM_NAMES ${CMAKE_SOURCE_DIR}/tools/tlb-drop-param-names)
set(GEN ${CMAKE_BINARY_DIR}/gen)
file(MAKE_DIRECTORY ${GEN})
set(IDL ${CMAKE_SOURCE_DIR}/src/component/Tollivor.idl)
if(EXISTS ${IDL})
  add_custom_command(
    OUTPUT ${GEN}/Tollivor.tlb ${GEN}/Tollivor_h.h
    COMMAND ${TOLLIVOR_TRIPLE}-widl ${TOLLIVOR_WIDL_MODE} -t -h
            -H ${GEN}/Tollivor_h.h -T ${GEN}/Tollivor.tlb
            -I/usr/include/wine/wine/windows
            -L /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
            ${IDL}
    COMMAND ${Python3_EXECUTABLE} ${DROP_PARAM_NAMES} ${GEN}/Tollivor.tlb ItemInfo
    DEPENDS ${IDL} ${DROP_PARAM_NAMES}
    COMMENT "Type library Tollivor")
  add_custom_target(tollivor_typelib DEPENDS ${GEN}/Tollivor.tlb ${GEN}/Tollivor_h.h)

  file(GLOB COMPONENT_SOURCES CONFIGURE_DEPENDS src/component/*.cpp src/component/*.rc)
  tollivor_dll(Tollivor
    DEF ${CMAKE_SOURCE_DIR}/src/component/Tollivor.def
    SOURCES ${COMPONENT_SOURCES}
    LIBS tollivor_win32)
  add_dependencies(Tollivor tollivor_typelib)
  target_include_directories(Tollivor PRIVATE ${GEN} src/component)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/component/Tollivor.rc APPEND PROPERTY
    OBJECT_DEPENDS ${GEN}/Tollivor.tlb)
  target_compile_options(Tollivor PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${GEN}>)
endif()

# The stand-ins for the host's closed helper libraries.
foreach(standin Sysgate Pathwise)
  set(dir ${CMAKE_SOURCE_DIR}/src/standins/${standin})
  if(EXISTS ${dir}/${standin}.def)
    file(GLOB standin_sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.rc)
    tollivor_dll(${standin} DEF ${dir}/${standin}.def SOURCES ${standin_sources})
  endif()
endforeach()

# The sample host bar.
file(GLOB HOST_SOURCES CONFIGURE_DEPENDS src/host/*.cpp src/host/*.rc)
if(HOST_SOURCES)
  add_executable(TollivorHost ${HOST_SOURCES})
  target_include_directories(TollivorHost PRIVATE ${GEN} src)
  if(TARGET tollivor_typelib)
    add_dependencies(TollivorHost tollivor_typelib)
  endif()
  target_link_libraries(TollivorHost PRIVATE ${WINDOWS_SYSTEM_LIBS})
endif()

# Ends another process's dialog as its user would: the client scripts'
# driver, also used by tools/demo.
add_executable(DialogDriver tests/clients/driver/DialogDriver.cpp)
target_link_libraries(DialogDriver PRIVATE ${WINDOWS_SYSTEM_LIBS})

# Tests under Wine: the Win32 platform directly, and the DLL through COM.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
tollivor_third_party(${GOOGLETEST_SOURCE} googletest)
file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS tests/wine/*.cpp)
if(WINE_TEST_SOURCES)
  add_executable(wine_tests ${WINE_TEST_SOURCES} tests/common/FormContract.cpp)
  target_include_directories(wine_tests PRIVATE ${GEN} src tests tests/wine)
  if(TARGET tollivor_typelib)
    add_dependencies(wine_tests tollivor_typelib Tollivor)
  endif()
  target_link_libraries(wine_tests PRIVATE tollivor_win32 GTest::gtest ${WINDOWS_SYSTEM_LIBS})
  if(TOLLIVOR_RUNS_HERE)
    include(GoogleTest)
    gtest_discover_tests(wine_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin PROPERTIES TIMEOUT 120)
  endif()
endif()

# Windows configuration (mingw-w64): the product and the tests run under Wine.

enable_language(RC)

# Everything links the C++ runtime statically so that the binaries import
# system DLLs only.
set(WINDOWS_SYSTEM_LIBS
  ole32 oleaut32 uuid shell32 shlwapi comdlg32 comctl32 user32 gdi32 advapi32 kernel32)
add_link_options(-static -static-libgcc -static-libstdc++)
# Tollivor.dll ships inside other people's products, so it is built for
# size: every function and datum in its own section, and the linker drops
# what nothing reaches. Speed is bounded by the window system, not by this.
set(SIZE_OPTIONS -Os -ffunction-sections -fdata-sections)
add_compile_options(${SIZE_OPTIONS})
target_compile_options(tollivor_portable PRIVATE ${SIZE_OPTIONS})  # defined before this file
add_link_options(-Wl,--gc-sections)
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
  # A link map beside it (tools/lib/link-map-sizes sums it by object file).
  target_link_options(${name} PRIVATE -Wl,-Map=$<TARGET_FILE:${name}>.map)
  # Ships stripped; the symbols stay in NAME.dll.debug, which a debugger
  # finds through the debug link.
  set(objcopy ${TOLLIVOR_TRIPLE}-objcopy)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${name}> $<TARGET_FILE:${name}>.debug
    COMMAND ${objcopy} --strip-all $<TARGET_FILE:${name}>
    COMMAND ${objcopy} --add-gnu-debuglink=$<TARGET_FILE:${name}>.debug $<TARGET_FILE:${name}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>
    VERBATIM)
endfunction()

# The Win32 forms platform. An object library: the portable core calls back
# into it (defaultPlatform), which one pass over static libraries would miss.
file(GLOB WIN32_PLATFORM_SOURCES CONFIGURE_DEPENDS src/forms/win32/*.cpp src/win32/*.cpp)
add_library(tollivor_win32 OBJECT ${WIN32_PLATFORM_SOURCES})
# The path completion source is a COM object with two interfaces; the type
# information of a class with two bases would bring 3 KB of runtime along.
set_source_files_properties(src/forms/win32/PathCompletion.cpp PROPERTIES COMPILE_OPTIONS -fno-rtti)
target_link_libraries(tollivor_win32 PUBLIC tollivor_portable ${WINDOWS_SYSTEM_LIBS})

# The type library, from IDL with widl, embedded in the DLL as a resource.
# widl names the ItemInfo parameters the IDL leaves unnamed; the library
# hosts see stores no name there, so a second step takes the names out.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(DROP_PARAM_NAMES ${CMAKE_SOURCE_DIR}/tools/lib/tlb-drop-param-names)
set(GEN ${CMAKE_BINARY_DIR}/gen)
file(MAKE_DIRECTORY ${GEN})
configure_file(src/component/Version.h.in ${GEN}/Version.h @ONLY)
set(IDL ${CMAKE_SOURCE_DIR}/src/component/Tollivor.idl)
# Wine's IDL files and its stdole2.tlb, where Debian 12's libwine-dev and
# wine64 put them.
set(WIDL_INCLUDE /usr/include/wine/wine/windows CACHE PATH "Wine's IDL files")
set(WIDL_LIBRARY_PATH /usr/lib/x86_64-linux-gnu/wine/x86_64-windows CACHE PATH
  "Folder with Wine's stdole2.tlb")
add_custom_command(
  OUTPUT ${GEN}/Tollivor.tlb ${GEN}/Tollivor_h.h ${GEN}/Tollivor_i.c
  COMMAND ${TOLLIVOR_TRIPLE}-widl ${TOLLIVOR_WIDL_MODE} -t -h -u
          -H ${GEN}/Tollivor_h.h -T ${GEN}/Tollivor.tlb -U ${GEN}/Tollivor_i.c
          -I${WIDL_INCLUDE} -L ${WIDL_LIBRARY_PATH}
          ${IDL}
  COMMAND ${Python3_EXECUTABLE} ${DROP_PARAM_NAMES} ${GEN}/Tollivor.tlb ItemInfo
  DEPENDS ${IDL} ${DROP_PARAM_NAMES}
  COMMENT "Type library Tollivor")
add_custom_target(tollivor_typelib DEPENDS ${GEN}/Tollivor.tlb ${GEN}/Tollivor_h.h)

# The developer kit beside the binaries: header, identifiers, type library,
# the special items' names, and the bar's settings with their colour reader.
set(SDK ${CMAKE_BINARY_DIR}/sdk)
set(SDK_FILES Tollivor_h.h Tollivor_i.c Tollivor.tlb)
list(TRANSFORM SDK_FILES PREPEND ${SDK}/ OUTPUT_VARIABLE SDK_OUTPUTS)
list(TRANSFORM SDK_FILES PREPEND ${GEN}/ OUTPUT_VARIABLE SDK_INPUTS)
set(SDK_SOURCES LocationNames.h SettingKeys.h StoredColour.h StoredColour.cpp)
foreach(file ${SDK_SOURCES})
  list(APPEND SDK_OUTPUTS ${SDK}/${file})
  list(APPEND SDK_INPUTS ${CMAKE_SOURCE_DIR}/src/sdk/${file})
endforeach()
add_custom_command(OUTPUT ${SDK_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${SDK}  # no file a rename left behind
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SDK}
  COMMAND ${CMAKE_COMMAND} -E copy ${SDK_INPUTS} ${SDK}
  DEPENDS ${SDK_INPUTS} COMMENT "Developer kit")
add_custom_target(tollivor_sdk ALL DEPENDS ${SDK_OUTPUTS})
# A C client built from the kit alone, run by the Wine tests.
add_executable(sdk_early_binding tests/sdk/early_binding.c ${SDK}/Tollivor_i.c)
target_include_directories(sdk_early_binding PRIVATE ${SDK})
target_link_libraries(sdk_early_binding PRIVATE ole32 oleaut32 uuid)

# The identifiers, defined once for every program that uses the interfaces.
set(GUIDS_SOURCE ${CMAKE_SOURCE_DIR}/src/component/Guids.cpp)
add_library(tollivor_guids OBJECT ${GUIDS_SOURCE})
target_include_directories(tollivor_guids PRIVATE ${GEN})
add_dependencies(tollivor_guids tollivor_typelib)

file(GLOB COMPONENT_SOURCES CONFIGURE_DEPENDS src/component/*.cpp src/component/*.rc)
list(REMOVE_ITEM COMPONENT_SOURCES ${GUIDS_SOURCE})
tollivor_dll(Tollivor
  DEF ${CMAKE_SOURCE_DIR}/src/component/Tollivor.def
  SOURCES ${COMPONENT_SOURCES}
  LIBS tollivor_win32 tollivor_guids)
add_dependencies(Tollivor tollivor_typelib)
target_include_directories(Tollivor PRIVATE ${GEN} src/component)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/component/Tollivor.rc APPEND PROPERTY
  OBJECT_DEPENDS ${GEN}/Tollivor.tlb ${GEN}/Version.h
  ${CMAKE_SOURCE_DIR}/src/component/Tollivor.manifest)
target_compile_options(Tollivor PRIVATE
  $<$<COMPILE_LANGUAGE:RC>:-I${GEN} -I${CMAKE_SOURCE_DIR}/src/component>)

# The stand-ins for the host's closed helper libraries.
foreach(standin Sysgate Pathwise)
  set(dir ${CMAKE_SOURCE_DIR}/src/standins/${standin})
  file(GLOB standin_sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.rc)
  tollivor_dll(${standin} DEF ${dir}/${standin}.def SOURCES ${standin_sources})
  target_include_directories(${standin} PRIVATE src)
  # No C++ runtime: each load and unload of a library that carries one
  # leaves heap behind in the host, and these need none.
  target_compile_options(${standin} PRIVATE -fno-exceptions -fno-rtti)
  set_target_properties(${standin} PROPERTIES LINKER_LANGUAGE C)
endforeach()

# The sample host bar. Its windows and files are a library that the Wine
# tests drive too.
file(GLOB HOST_SOURCES CONFIGURE_DEPENDS src/host/*.cpp src/host/core/*.cpp)
list(REMOVE_ITEM HOST_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/src/host/main.cpp)
add_library(tollivor_host OBJECT ${HOST_SOURCES})
target_include_directories(tollivor_host PUBLIC ${GEN} src)
add_dependencies(tollivor_host tollivor_typelib)
target_link_libraries(tollivor_host PUBLIC tollivor_portable ${WINDOWS_SYSTEM_LIBS} winmm)
add_executable(TollivorHost src/host/main.cpp src/host/TollivorHost.rc src/win32/ThisModule.cpp)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/host/TollivorHost.rc APPEND PROPERTY
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/host/TollivorHost.manifest;${CMAKE_SOURCE_DIR}/src/host/toolbox.ico")
target_link_libraries(TollivorHost PRIVATE tollivor_host tollivor_guids)

# Ends another process's dialog as its user would: the client scripts'
# driver, also used by tools/demo.
add_executable(DialogDriver tests/clients/driver/DialogDriver.cpp)
target_include_directories(DialogDriver PRIVATE src)
target_link_libraries(DialogDriver PRIVATE ${WINDOWS_SYSTEM_LIBS})

# Tests under Wine: the Win32 platform directly, and the DLL through COM.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
tollivor_third_party(${GOOGLETEST_SOURCE} googletest)
file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS tests/wine/*.cpp)
add_executable(wine_tests ${WINE_TEST_SOURCES} tests/common/FormContract.cpp)
target_include_directories(wine_tests PRIVATE ${GEN} src tests tests/wine)
add_dependencies(wine_tests tollivor_typelib Tollivor sdk_early_binding TollivorHost)
target_link_libraries(wine_tests PRIVATE tollivor_win32 tollivor_host tollivor_guids GTest::gtest
  ${WINDOWS_SYSTEM_LIBS})
if(TOLLIVOR_RUNS_HERE)
  include(GoogleTest)
  gtest_discover_tests(wine_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin PROPERTIES TIMEOUT 120)
endif()

# The timing host of tools/bench: the classes against the dialog manager.
add_executable(TimingHost bench/wine/TimingHost.cpp)
target_include_directories(TimingHost PRIVATE ${GEN} src)
add_dependencies(TimingHost tollivor_typelib Tollivor)
target_link_libraries(TimingHost PRIVATE tollivor_portable tollivor_win32 tollivor_guids psapi
  ${WINDOWS_SYSTEM_LIBS})

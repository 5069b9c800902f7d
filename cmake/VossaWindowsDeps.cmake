# The libraries of a Windows build, linked statically from VOSSA_WINDOWS_DEPS (made by
# scripts/build-windows.sh), under the names the Linux build gets from pkg-config and CMake's
# find modules, so that the engine and the game link them the same way.
if(NOT VOSSA_WINDOWS_DEPS OR NOT EXISTS ${VOSSA_WINDOWS_DEPS}/lib/libSDL2.a)
    message(FATAL_ERROR "VOSSA_WINDOWS_DEPS must name the folder of the Windows libraries "
                        "(scripts/build-windows.sh makes it)")
endif()
set(deps ${VOSSA_WINDOWS_DEPS})

# What SDL itself needs of Windows.
add_library(PkgConfig::SDL2 INTERFACE IMPORTED)
set_target_properties(PkgConfig::SDL2 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${deps}/include/SDL2;${deps}/include"
    INTERFACE_LINK_LIBRARIES
        "${deps}/lib/libSDL2.a;m;kernel32;user32;gdi32;winmm;imm32;ole32;oleaut32;version;uuid;advapi32;setupapi;shell32;dinput8")
add_library(PkgConfig::SDL2_MIXER INTERFACE IMPORTED)
set_target_properties(PkgConfig::SDL2_MIXER PROPERTIES
    INTERFACE_LINK_LIBRARIES "${deps}/lib/libSDL2_mixer.a;PkgConfig::SDL2")
add_library(PkgConfig::SDL2_GFX INTERFACE IMPORTED)
set_target_properties(PkgConfig::SDL2_GFX PROPERTIES
    INTERFACE_LINK_LIBRARIES "${deps}/lib/libSDL2_gfx.a;PkgConfig::SDL2")
add_library(ZLIB::ZLIB INTERFACE IMPORTED)
set_target_properties(ZLIB::ZLIB PROPERTIES INTERFACE_LINK_LIBRARIES "${deps}/lib/libz.a")
add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_LINK_LIBRARIES opengl32)

# Programs carry their C and C++ runtimes: nothing beyond Windows' own DLLs is needed.
string(APPEND CMAKE_EXE_LINKER_FLAGS " -static -static-libgcc -static-libstdc++")
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _USE_MATH_DEFINES)
unset(deps)

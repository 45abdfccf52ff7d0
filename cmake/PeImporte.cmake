# Fails when an .exe or .dll in ORDNER imports a DLL that is neither in the folder nor part of Windows.
#   cmake -DORDNER=<folder> -DOBJDUMP=<x86_64-w64-mingw32-objdump> -P PeImporte.cmake
cmake_policy(VERSION 3.25)
if(NOT ORDNER OR NOT IS_DIRECTORY "${ORDNER}" OR NOT OBJDUMP)
    message(FATAL_ERROR "usage: cmake -DORDNER=<folder> -DOBJDUMP=<objdump> -P PeImporte.cmake")
endif()

# What every Windows 10 and 11 brings, in lower case; the API sets (api-ms-win-*, ext-ms-*) are the system's
# too, and so is the Universal CRT (api-ms-win-crt-*, ucrtbase). The C runtime of Visual C++ is not: it comes with
# Microsoft's redistributable, which the installer looks for; the files that need it are named.
set(_windows
    advapi32 authz bcrypt cfgmgr32 comctl32 comdlg32 crypt32 d2d1 d3d11 d3d12 d3d9 dcomp dnsapi dwmapi dwrite
    dxgi gdi32 gdiplus hid imm32 iphlpapi kernel32 mpr msimg32 msvcrt mswsock ncrypt netapi32 normaliz ntdll
    ole32 oleacc oleaut32 opengl32 powrprof propsys rpcrt4 secur32 setupapi shcore shell32 shlwapi ucrtbase
    user32 userenv uxtheme version winhttp wininet winmm winspool wintrust wldap32 ws2_32 wtsapi32)

set(_visual_cpp vcruntime140 vcruntime140_1 msvcp140)

file(GLOB_RECURSE _dateien LIST_DIRECTORIES false "${ORDNER}/*.exe" "${ORDNER}/*.dll")
file(GLOB _vorhanden LIST_DIRECTORIES false "${ORDNER}/*.dll")
set(_da)
foreach(d IN LISTS _vorhanden)
    get_filename_component(_name ${d} NAME)
    string(TOLOWER ${_name} _name)
    list(APPEND _da ${_name})
endforeach()

set(_fehler)
set(_brauchen_vc)
set(_anzahl 0)
foreach(datei IN LISTS _dateien)
    execute_process(COMMAND ${OBJDUMP} -p ${datei} OUTPUT_VARIABLE _aus RESULT_VARIABLE _rc ERROR_QUIET)
    if(NOT _rc EQUAL 0)
        list(APPEND _fehler "${datei}: not a PE file objdump can read")
        continue()
    endif()
    math(EXPR _anzahl "${_anzahl} + 1")
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" _importe "${_aus}")
    foreach(zeile IN LISTS _importe)
        string(REGEX REPLACE "DLL Name: " "" _dll "${zeile}")
        string(STRIP "${_dll}" _dll)
        string(TOLOWER "${_dll}" _klein)
        string(REGEX REPLACE "\\.(dll|drv)$" "" _stamm "${_klein}")
        if(_klein IN_LIST _da OR _stamm IN_LIST _windows OR _klein MATCHES "^(api|ext)-ms-")
            continue()
        endif()
        file(RELATIVE_PATH _rel "${ORDNER}" "${datei}")
        if(_stamm IN_LIST _visual_cpp)
            list(APPEND _brauchen_vc "${_rel}")
            continue()
        endif()
        list(APPEND _fehler "${_rel} needs ${_dll}")
    endforeach()
endforeach()
if(_anzahl EQUAL 0)
    message(FATAL_ERROR "PE imports: no .exe or .dll in ${ORDNER}")
endif()
if(_fehler)
    list(JOIN _fehler "\n  " _text)
    message(FATAL_ERROR "PE imports: DLLs neither in ${ORDNER} nor part of Windows:\n  ${_text}")
endif()
if(_brauchen_vc)
    list(REMOVE_DUPLICATES _brauchen_vc)
    list(JOIN _brauchen_vc ", " _text)
    message(STATUS "PE imports: the Visual C++ runtime is needed by ${_text}")
endif()
message(STATUS "PE imports: ${_anzahl} files in ${ORDNER}, every DLL they import is there or part of Windows")

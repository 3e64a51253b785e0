# Writes into the device image what the device's installer records when it
# has installed Quib Monitor: the record file \Windows\AppMgr\Quib Monitor.rec
# (the folders it made, the files it copied, the shortcut) and the registry
# hive holding HKEY_LOCAL_MACHINE\Software\Apps\Quib Monitor, so that the
# installed image can be removed as a cabinet-installed one is.
#   cmake -DIMAGE=<device image> -P install_record.cmake
set(app "Quib Monitor")
set(installDir "Program Files/${app}")

function(ce_path relative out)
    string(REPLACE "/" "\\" path "\\${relative}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

ce_path("${installDir}" dirPath)
set(record "app=${app}\ndir=${dirPath}\nsetup=${dirPath}\\devsetup.dll\nfolder=${dirPath}\n")
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${IMAGE}" "${IMAGE}/${installDir}/*")
list(SORT entries)
set(files)
foreach(entry IN LISTS entries)
    ce_path("${entry}" path)
    if(IS_DIRECTORY "${IMAGE}/${entry}")
        string(APPEND record "folder=${path}\n")
    else()
        list(APPEND files "${path}")
    endif()
endforeach()
list(APPEND files "\\Windows\\QuibMonitorToday.dll")
foreach(path IN LISTS files)
    string(APPEND record "file=${path}\n")
endforeach()
string(APPEND record "link=\\Windows\\Start Menu\\Programs\\${app}.lnk\n")
file(WRITE "${IMAGE}/Windows/AppMgr/${app}.rec" "${record}")

string(REPLACE "\\" "\\\\" dirValue "${dirPath}")
file(WRITE "${IMAGE}/Windows/registry.reg"
"REGEDIT4

[HKEY_LOCAL_MACHINE\\Software\\Apps\\${app}]
\"Instl\"=dword:00000001
\"InstlDir\"=\"${dirValue}\"
\"Record\"=\"\\\\Windows\\\\AppMgr\\\\${app}.rec\"

")

# A Windows CE 4.21 device whose store holds the application cabinet and
# what it installs.
os=4.21.1088
image.omit=\Windows\power.exe
store.size=256M
store.free=200M
appdata.total=256M
appdata.free=200M

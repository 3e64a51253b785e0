# A device whose store holds the application cabinet and what it installs.
store.size=256M
store.free=200M
appdata.total=256M
appdata.free=200M

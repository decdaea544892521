target_sources(qb_core PRIVATE
  shell/ForceForeground.cpp
  shell/SendTo.cpp
  shell/UniSysIco.cpp
  shell/TrayLogic.cpp
  shell/ToTray.cpp
)

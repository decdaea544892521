target_sources(qb_core PRIVATE
  app/CommandLine.cpp
  app/ConfigRules.cpp
  app/IniFile.cpp
  app/Config.cpp
  app/Admin.cpp
  app/Startup.cpp
  app/MainDlg.cpp
  app/MainDlgLogic.cpp
  app/MainDlgToolbar.cpp
  app/MainDlgTray.cpp
  app/MainPopups.cpp
  app/ProgramMenu.cpp
  app/ProgramCommands.cpp
  app/DefaultSettings.cpp
  app/Autostart.cpp
)

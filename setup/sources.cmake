target_sources(qb_core PRIVATE
  setup/SetupRules.cpp
  setup/MailText.cpp
  setup/Mail.cpp
  setup/SetupSystem.cpp
  setup/Install.cpp
  setup/SetupDlg.cpp
  setup/Setup.cpp
)

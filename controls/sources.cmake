target_sources(qb_core PRIVATE
  controls/ShadowImage.cpp
  controls/CmdBarLogic.cpp
  controls/ToolbarResFormat.cpp
)

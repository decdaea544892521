target_sources(qb_core PRIVATE
  timenotes/ScheduleRules.cpp
  timenotes/SysTimeTool.cpp
  timenotes/TimeNoteCalc.cpp
  timenotes/DateFormatTool.cpp
  timenotes/TitleStrip.cpp
  timenotes/Termin2019.cpp
)

target_sources(qb_unit PRIVATE
  tests/unit/setup_rules_test.cpp
  tests/unit/setup_mail_test.cpp
)

gramura_add_gtest(recording_rules_test
    SOURCES aufzeichnungsregeln_test.cpp festkomma_test.cpp schwellentext_test.cpp
    LIBS recording_rules
    LABELS unit)

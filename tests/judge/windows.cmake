vocamira_add_test(tst_romansetting UI SOURCES tst_romansetting.cpp)

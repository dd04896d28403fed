vocamira_add_test(tst_recordlist UI SOURCES tst_recordlist.cpp)

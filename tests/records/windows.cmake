vocamira_add_test(tst_resultview UI SOURCES tst_resultview.cpp)
vocamira_add_test(tst_notices UI SOURCES tst_notices.cpp)

# The record list view and the rules it shows by.
target_sources(vocamira_core PRIVATE
    recordpages.cpp recordpages.h
    recordrank.cpp recordrank.h
)

target_sources(vocamira_ui PRIVATE
    record.cpp record.h
)

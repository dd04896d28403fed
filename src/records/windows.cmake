# The result view, the certificate and the notices that follow a test.
target_sources(vocamira_ui PRIVATE
    endmessage.cpp endmessage.h
    entryname.cpp entryname.h
    kyosei.cpp kyosei.h
    max.cpp max.h
    max2.cpp max2.h
    noticeparts.cpp noticeparts.h
    result.cpp result.h
)

# Drawn by resources/make_pictures.py.
qt_add_resources(vocamira_ui records_pictures
    PREFIX "/records"
    BASE resources
    FILES
        resources/laurel@2x.png
        resources/medal@2x.png
        resources/rosette@2x.png
        resources/star@2x.png
)

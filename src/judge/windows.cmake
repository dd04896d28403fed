# The romaji display settings dialog.
target_sources(vocamira_ui PRIVATE
    romansetting.cpp romansetting.h
)

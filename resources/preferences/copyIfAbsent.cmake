# Copies SOURCE to DESTINATION only when DESTINATION does not exist yet: the
# application folder's Preferences.ini belongs to the person using the program
# once it is there, and a rebuild must never replace their choices.
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()

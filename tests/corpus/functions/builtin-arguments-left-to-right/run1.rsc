x = MAX(MESSAGE("first"), MESSAGE("second"), MESSAGE("third"))

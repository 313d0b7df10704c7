:top
GOTO :top

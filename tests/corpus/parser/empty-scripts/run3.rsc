# only comments
; another
// and a last one without line end
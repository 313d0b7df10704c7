MESSAGE("[" + LEFT$("abc") + "]")

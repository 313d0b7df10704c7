s = "日本" + "語"
MESSAGE(s)
MESSAGE(s == "日本語")
ASSERT(0, "失敗: " + s)

MESSAGE("日本語のテキスト", "見出し")
MESSAGE("tab\there \"q\" back\\slash /")

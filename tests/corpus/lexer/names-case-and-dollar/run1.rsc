Abc$ = "s"
abc = 5
MESSAGE(ABC$ + abc$ + ABC + aBc)

EXIT "12abc"

; A runtime error finishes its statement, then ends the run:
; the tray shows the message as an error balloon.
; 実行時エラーはその文を終えてから実行を止め、トレイにエラーの吹き出しを出す
total = 10
count = 0
average = total / count
MESSAGE("never shown")

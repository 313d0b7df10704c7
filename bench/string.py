# In a function: at the top level CPython cannot append to a global string in place.
def main():
    s = ""
    for i in range(400000):
        s += "<" + str(i) + ">"
    total = 0
    for j in range(300):
        total += s.find("<" + str((j * 7919) % 400000) + ">")
    return (len(s) + total) % 1000000007
print(main())

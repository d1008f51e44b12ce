# The median every benchmark reports: of n values, the middle one once
# sorted, or the mean of the two middle ones.
#   median(a, n)                  of a[1..n], which it sorts in place
#   awk -v lines=1 -f median.awk  of the numbers on the input, one a line
function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
lines { values[++count] = $1 + 0 }
END { if (lines && count) printf "%.17g\n", median(values, count) }

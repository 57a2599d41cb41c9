# Helpers shared by the comparison scripts: clock readings and medians.
now() { date +%s%N; }
ms_since() { awk -v s="$1" -v e="$(now)" 'BEGIN { printf "%.1f\n", (e - s) / 1e6 }'; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

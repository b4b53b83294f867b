import json
import sys

# One JSON object a line, as centrafix-cli --json prints them.
for line in sys.stdin:
    run = json.loads(line)
    b = run["balance"]
    print(f'{run["file"]}: N.P. {b["neutral_point_x"]:.1f}, '
          f'C.G. {b["cg_forward_x"]:.1f} to {b["cg_aft_x"]:.1f} {run["unit"]}')

#!/usr/bin/env python3
# Writes new_nittan.QEM: the file a New Nittan configuration must save as, key by key in the
# order stored files have them. Written by hand from the file layout, independently of the
# program, so the writer is checked against it rather than against itself.
lines = []
def section(name, items):
    lines.append("[%s]" % name)
    lines.extend("%s=%s" % kv for kv in items)

points = 126
keys = ["L%dD%d" % (l, p) for l in (1, 2) for p in range(1, points + 1)]
section("QEM Header", [("FileType", "Prog Tools"), ("Main Version", "Not Available"), ("Panel Type", "ZOL")])
section("Loop", [("Type", "3")])
for name in ["Detector Names", "Detector SubName1", "Detector SubName2", "Detector SubName3"]:
    section(name, [(k, "No name allocated") for k in keys])
section("Detector Type", [(k, "254") for k in keys])
section("Detector Disabled", [(k, "0") for k in keys])
section("Detector Zone", [(k, "1") for k in keys])
section("SharedData", [("%sSD%d" % (k, i), "1" if i == 1 else "0") for k in keys for i in range(1, 9)])

zones = range(1, 41)
section("Zone Config", [("Zone%d" % n, "Zone %d" % n if n <= 32 else "Panel %d" % (n - 32)) for n in zones])
for name in ["SounderTimers", "RemoteTimers", "Relay1Timer", "Relay2Timer"]:
    section(name, [("Zone%d" % n, "0") for n in zones])
for i, v in enumerate(["4", "60", "300", "4", "60", "300"], 1):
    section("Dependancy%d" % i, [("Zone%d" % n, v) for n in zones])
section("SounderEnable", [("Zone%d" % n, "1") for n in zones])
for name in ["MCPEnable", "NonFireEnable", "EndDelays"]:
    section(name, [("Zone%d" % n, "0") for n in zones])
section("GroupConfig", [("Z%dG%d" % (n, g), "2" if g <= 5 else "0") for n in zones for g in range(1, 17)])
sets = []
for n in zones:
    sets += [("Z%dS%d" % (n, s), "2" if s >= 17 else "0") for s in range(1, 19)]
    if n == 1:
        sets.append(("DelayTimer", "300"))
sets += [("Z0S%d" % s, "1" if s == 17 else "0") for s in range(1, 19)]
section("SetConfig", sets)

section("Maintenance", [("Text", "Call the Engineer"), ("Date", "01/01/2099"), ("Enabled", "0")])
section("Quiescent", [("Text", "ZOL Fire Panel")])
section("AccessCodes", [("L2", "3412"), ("L3", "1243")])
section("FaultLockout", [("Time", "10")])
section("PhasedDelay", [("Time", "65535"), ("Pulsed On", "0")])
section("Site Config", [("Client Name", "")] + [("Client Address %d" % i, "") for i in range(1, 6)]
        + [("Alarm Position", ""), ("Installer Name", "")]
        + [("Installer Address %d" % i, "") for i in range(1, 6)]
        + [("Engineer Name", ""), ("Service Number", ""), ("Night Begins", "00:00"),
           ("Night Ends", "00:00"), ("ReCalibrate at", "04:00"),
           ("MCP Delay", "1"), ("Detector Delay", "5"), ("IO Delay", "1")])
section("Investigation", [("Period", "300"), ("Period1", "180")])
section("Panel_Sounder_Groups", [("P1", "1"), ("P2", "2")])
section("Enable_Flags", [("Day", "0"), ("Night", "0")])
section("Polling_LED", [("Enabled", "1")])
section("SiteConfig", [("ReSound", "0")])
section("BST Adjustment", [("Enabled", "1")])
section("RealTime Event Output", [("Enabled", "0")])
section("Tone", [("Int", "0"), ("Cont", "0")])
section("Repeater Name", [("Repeater%d" % n, "Panel %d" % n) for n in range(1, 9)])
section("Repeater Fitted", [("Repeater%d" % n, "1" if n == 1 else "0") for n in range(1, 9)])
for name in ["Accept Faults", "Accept Alarms", "Accept Controls", "Accept Disablements", "Accept Occupied"]:
    section(name, [("Panel%d" % n, "0") for n in range(1, 9)])
section("Network Config", [("Panel Name", "Main Panel"), ("Segment Number", "1")])
events = {1: "50/0/55/0/55/0/", 2: "40/0/55/1/55/1/"}
section("C_EEvent", [("Event%d" % n, events.get(n, "0/0/0/0/0/0/")) for n in range(1, 17)])
section("C_ETimes", [("Event%d" % n, "00:00") for n in range(1, 17)])

with open("new_nittan.QEM", "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode("latin-1"))

#!/usr/bin/env python3
"""Writes the catalogue that is compiled into Brenta: catalogue/data/*.txt.

The shipped catalogue is generated sample data. Every name and figure that is not
one of the catalogue's fixed points (the minerals, the three reference records, the
reference rows and prices) is invented here, in the catalogue's own style: modules in
sizes and tech levels, named variants, charges, drones, ships, components,
structures and the materials they consume. A player who has real data replaces the
three files and rebuilds.

The output is deterministic: the generator uses its own random sequence (not the
interpreter's), iterates only ordered containers and does integer or correctly
rounded float arithmetic, so every run on every machine writes the same bytes.

    python3 tools/gen_catalogue.py            write catalogue/data/*.txt
    python3 tools/gen_catalogue.py --check    exit 1 when the committed files differ
"""

import argparse
import os
import sys
import zlib

BLUEPRINT_COUNT = 2579
TYPE_ID_SLOTS = 30909
MAX_RECORD = 240
MIN_RECORD = 49

# ---------------------------------------------------------------------------------
# Random sequence
# ---------------------------------------------------------------------------------

MASK = (1 << 64) - 1


class Rng:
    """splitmix64, seeded from a label so that each part of the catalogue has its own
    stream and a change in one part does not reshuffle the others."""

    def __init__(self, label):
        self.state = (zlib.crc32(label.encode("ascii")) * 0x9E3779B97F4A7C15) & MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n

    def between(self, lo, hi):
        return lo + self.below(hi - lo + 1)

    def unit(self):
        return (self.next() >> 11) / float(1 << 53)

    def jitter(self, lo, hi):
        return lo + (hi - lo) * self.unit()

    def pick(self, seq):
        return seq[self.below(len(seq))]

    def sample(self, seq, k):
        pool = list(seq)
        out = []
        for _ in range(min(k, len(pool))):
            out.append(pool.pop(self.below(len(pool))))
        return out


# ---------------------------------------------------------------------------------
# The program's own arithmetic: waste rounding and the one-run material cost
# ---------------------------------------------------------------------------------


def round_number(x):
    """The sheet's rounding: halves are decided on the first decimal digit of the
    15-significant-digit text, then the value rounds half to even."""
    text = "%.15G" % x
    dot = text.find(".")
    if dot >= 0 and dot + 1 < len(text) and text[dot + 1] == "5":
        x += 0.1
    return int(round(x))


def amount_with_waste(qty, factor):
    return qty + round_number(factor * qty)


def one_run_cost(bp):
    """What auto-pricing computes for one run of bp at ML 0, Production Efficiency 5
    and no assembly array: the default price of every item a blueprint builds."""
    factor = bp.waste / 100
    total = 0
    for item, qty in bp.mats:
        if item.kind == "Skill":
            continue
        total += amount_with_waste(qty, factor) * item.price
    return total


PRICE_LEVELS = [10, 12, 15, 20, 25, 30, 40, 50, 60, 80, 100, 120, 150, 200, 250, 300, 400, 500, 600,
                800, 1000, 1200, 1500, 2000, 2500, 3000, 4000, 5000, 6000, 8000, 10000, 12000, 15000,
                20000, 25000, 30000]


def market_price(rng, lo, hi):
    """Prices spread evenly on a logarithmic scale between lo and hi, as market goods are."""
    levels = [p for p in PRICE_LEVELS if lo <= p <= hi]
    return nice(rng.pick(levels) * rng.jitter(0.9, 1.1))


def nice(value):
    """A price with two significant digits, as a trader would quote it."""
    value = int(value)
    if value < 100:
        return max(1, value)
    scale = 1
    while value >= 100:
        value //= 10
        scale *= 10
    return value * scale


# ---------------------------------------------------------------------------------
# Model
# ---------------------------------------------------------------------------------


class Item:
    def __init__(self, kind, name, group, price=None, tid=None):
        self.kind = kind
        self.name = name
        self.group = group
        self.price = price
        self.tid = tid
        self.builder = None

    @property
    def display(self):
        return "[%s] %s" % (self.kind, self.name)


class Blueprint:
    def __init__(self, name, cat, product=None):
        self.name = name
        self.cat = cat
        self.product = product
        self.mats = []
        self.waste = 10
        self.batch = 1
        self.alt_modifier = False
        self.ml = self.pl = self.prod = self.mod = None
        self.tid = None
        self.theme = None
        self.fixed = None

    def add(self, item, qty):
        qty = int(qty)
        if qty < 1:
            qty = 1
        for i, (have, old) in enumerate(self.mats):
            if have is item:
                self.mats[i] = (have, old + qty)
                return
        self.mats.append((item, qty))

    def has(self, item):
        return any(have is item for have, _ in self.mats)

    def record(self):
        if self.fixed is not None:
            return self.fixed
        mats = "".join("|%d/%d" % (item.tid, qty) for item, qty in sorted(self.mats, key=lambda m: m[0].tid))
        return "%s{%d{%d{%s{%d{%d{%d{%d" % (
            self.name, self.tid, self.waste, mats, self.ml, self.pl, self.prod, self.mod)


def sort_key(name):
    """Catalogue order: case-insensitive, apostrophes and hyphens ignored."""
    return name.lower().replace("'", "").replace("-", "")


# ---------------------------------------------------------------------------------
# Vocabulary
# ---------------------------------------------------------------------------------

MINERALS = [
    (34, "Tritanium", 2), (35, "Pyerite", 8), (36, "Mexallon", 32), (37, "Isogen", 128),
    (38, "Nocxium", 512), (39, "Zydrine", 2048), (40, "Megacyte", 8192),
    (11399, "Morphite", 32768), (27029, "Chalcopyrite", 2),
]

SKILLS = [
    "Industry", "Thrust Vector Engineering", "Plasma Drive Theory", "Armor Lamination",
    "Hull Alloy Science", "Shield Harmonics", "Field Projection Theory", "Capacitor Design",
    "Energy Storage Theory", "Sensor Array Theory", "Signal Processing", "Warp Field Theory",
    "Beam Optics", "Coil Gun Mechanics", "Ballistic Engineering", "Ordnance Chemistry",
    "Missile Guidance Theory", "Drone Autonomy", "Drone Chassis Design", "Mining Beam Calibration",
    "Cloak Field Theory", "Structural Analysis", "Thermal Regulation", "Microfabrication",
    "Nanoassembly", "Crystal Growth", "Antimatter Handling", "Bomb Fusing", "Probe Telemetry",
    "Mine Fuse Design", "Frigate Construction", "Destroyer Construction", "Cruiser Construction",
    "Battlecruiser Construction", "Battleship Construction", "Hauler Construction",
    "Freighter Construction", "Carrier Construction", "Dreadnought Construction",
    "Capital Hull Construction", "Advanced Hull Design", "Jump Drive Engineering",
    "Fleet Support Systems", "Assembly Line Management", "Ore Compression", "Reaction Chemistry",
    "Salvage Reclamation", "Starbase Engineering", "Outpost Engineering", "Booster Pharmacology",
    "Gas Refining", "Relic Reconstruction", "Archaeotech Studies", "Xenolinguistics",
    "Quantum Computation", "Subspace Mechanics", "Resonance Tuning", "Particle Acceleration",
    "Ion Dynamics", "Magnetic Confinement", "Composite Materials", "Ceramics Engineering",
    "Polymer Synthesis", "Fluid Dynamics", "Neural Interfacing", "Cybernetic Integration",
    "Gravimetrics", "Lattice Crystallography", "Tachyon Studies", "Escort Drone Command",
]
# Skills no market sells: their books carry no price.
UNSOLD_SKILLS = {
    "Xenolinguistics", "Archaeotech Studies", "Tachyon Studies", "Relic Reconstruction",
    "Escort Drone Command", "Lattice Crystallography", "Gravimetrics", "Fleet Support Systems",
}
SKILL_PRICES = [45000, 60000, 90000, 120000, 150000, 250000, 400000, 750000, 1200000, 2500000]
EXPENSIVE_SKILLS = {
    "Capital Hull Construction": 450000000, "Carrier Construction": 90000000,
    "Dreadnought Construction": 90000000, "Freighter Construction": 35000000,
    "Jump Drive Engineering": 40000000, "Advanced Hull Design": 12000000,
    "Battleship Construction": 4000000, "Battlecruiser Construction": 1800000,
    "Outpost Engineering": 60000000, "Starbase Engineering": 7500000,
}

RAM_NAMES = [
    "R.A.M.- Armor/Hull Tech", "R.A.M.- Starframe Tech", "R.A.M.- Capacitor Tech",
    "R.A.M.- Turret Tech", "R.A.M.- Ordnance Tech", "R.A.M.- Field Emitter Tech",
    "R.A.M.- Sensor Tech", "R.A.M.- Drone Tech",
]

DATACORES = [
    "Datacore - Takmahl Tech 1", "Datacore - Takmahl Tech 2", "Datacore - Orvessi Tech 1",
    "Datacore - Orvessi Tech 2", "Datacore - Graviton Lattice Theory",
    "Datacore - Hyperspatial Geometry", "Datacore - Neural Mapping", "Datacore - Plasma Confinement",
]

ORES = [
    "Teshite", "Quorzite", "Halvine", "Orrite", "Lumethite", "Kavite", "Sendrite", "Galbrite",
    "Vorlite", "Daskite", "Ibranite", "Pelluxite", "Zarcite", "Morvenite", "Cindrite", "Ostrane",
]
ORE_GRADES = ["", "Banded ", "Lustrous ", "Veined "]

MOON_MATERIALS = [
    "Monazite", "Bastnasite", "Xenotime", "Columbite", "Tantalite", "Wolframite", "Cassiterite",
    "Pollucite", "Lepidolite", "Beryl", "Ilmenite", "Rutile", "Zircon", "Chromite", "Pentlandite",
    "Sperrylite", "Cinnabar", "Galena", "Sphalerite", "Uraninite", "Thortveitite", "Bismuthinite",
    "Cobaltite", "Molybdenite", "Stibnite", "Vanadinite",
]

# Reaction products; three names carry a trailing space, exactly as the market lists them.
REACTION_PRODUCTS = [
    "Fulleroferrocene ", "Plutonium Metallofullerene ", "Metallofullerene Plating ",
    "Ferroborate Lattice", "Cerium Silicide", "Graphene Laminate", "Osmium Carbonate",
    "Lithium Niobate", "Gallium Nitride", "Tantalum Boride", "Yttrium Garnet", "Zirconia Foam",
    "Boron Nitride Mesh", "Niobium Titanate", "Scandium Aerogel", "Aluminium Oxynitride",
    "Silicon Carbide Whisker", "Carbon Nanotube Yarn", "Aramid Fibre", "Polyimide Film",
    "Rhenium Superalloy", "Iridium Foil", "Bismuth Telluride", "Indium Phosphide",
    "Strontium Ferrite", "Samarium Magnet Alloy", "Barium Titanate", "Lanthanum Hexaboride",
    "Molybdenum Disilicide", "Gadolinium Garnet", "Beryllium Oxide Ceramic", "Erbium Doped Fibre",
    "Cobalt Chrome Alloy", "Nickel Superalloy", "Palladium Catalyst", "Ruthenium Oxide",
    "Thorium Fluoride", "Uranium Nitride Fuel", "Zinc Selenide Window", "Germanium Wafer",
]

COMMODITIES = [
    "Coolant Gel", "Polymer Resin", "Insulated Wiring", "Microprocessor Wafer", "Servo Motor",
    "Hydraulic Fluid", "Reactive Gas Cylinder", "Optical Fibre Bundle", "Ceramic Insulator",
    "Thermal Paste", "Lubricant Grease", "Superconductor Tape", "Circuit Substrate",
    "Precision Bearing", "Actuator Spring", "Magnetic Coil Winding", "Plasma Containment Bottle",
    "Heat Shield Tile", "Radiation Baffle", "Vacuum Seal Gasket", "Pressure Valve", "Sensor Diode",
    "Quartz Oscillator", "Capacitor Film", "Graphite Electrode", "Ion Exchange Membrane",
    "Filter Cartridge", "Fuel Pellet", "Deuterium Ice", "Tritium Capsule", "Helium-3 Canister",
    "Argon Flask", "Nitrogen Ice", "Xenon Propellant", "Oxygen Candle", "Water Ice Block",
    "Biocell Culture", "Synthetic Muscle Fibre", "Neural Gel", "Nanite Slurry", "Logic Gate Array",
    "Photonic Chip", "Memory Lattice", "Data Crystal", "Shock Absorber", "Gyroscope Assembly",
    "Optical Lens Blank", "Mirror Substrate", "Welding Rod Bundle", "Rivet Pack",
    "Structural Beam", "Alloy Sheet", "Cable Harness", "Pump Impeller", "Valve Manifold",
    "Gear Train", "Bolt Kit", "Sealant Foam", "Armor Tile Blank", "Hull Panel Blank",
    "Antenna Array Kit", "Battery Cell Pack", "Cryogenic Flask", "Solder Paste", "Piezo Crystal",
    "Laser Diode Stack", "Sputtering Target", "Epoxy Binder", "Aramid Cloth", "Copper Busbar",
    "Ferrite Bead", "Glass Fibre Mat", "Silicone Sealant", "Thermocouple Probe", "Wave Guide Tube",
    "Reagent Kit", "Carbon Brush Set", "Flywheel Rotor", "Signal Repeater Card",
]

SALVAGE_STATES = [
    "Charred", "Fused", "Cracked", "Scorched", "Twisted", "Warped", "Shattered", "Bent",
    "Ruptured", "Frayed", "Corroded", "Pitted", "Buckled", "Seized", "Sheared", "Gutted",
]
SALVAGE_PARTS = [
    "Wiring Loom", "Bulkhead Shard", "Lens Housing", "Relay Board", "Truss Segment",
    "Capacitor Plate", "Focusing Prism", "Thruster Vane", "Coolant Line", "Data Cable",
    "Valve Body", "Armor Flake", "Frame Rib", "Gasket Ring", "Servo Joint", "Drive Shaft",
    "Sensor Dome", "Ignition Coil", "Shield Grid", "Radiator Fin",
]

GAS_CLOUDS = ["Cirrus", "Stratus", "Nimbus", "Cumulus", "Noctilucent", "Lenticular", "Mammatus", "Virga"]
GAS_FORMS = ["Vapour", "Condensate", "Haze"]

STARBASE_PARTS = [
    "Anchoring Pylon", "Silo Module", "Refinery Column", "Battery Mount", "Shield Pylon",
    "Hangar Shell", "Reactor Housing", "Power Relay Mast", "Docking Arm", "Control Spire",
    "Fuel Bay", "Depot Frame", "Sensor Mast", "Tractor Pylon", "Assembly Bay Frame",
    "Research Bay Frame", "Lattice Strut Bundle", "Habitat Spindle", "Cooling Tower",
    "Thermal Vent Stack", "Cargo Lift", "Ore Hopper", "Fabrication Cell", "Crane Gantry",
    "Beacon Tower", "Bunker Casemate", "Command Deck", "Comms Dish", "Foundry Crucible",
    "Landing Cradle", "Observation Dome", "Pressure Hull Ring",
]

RELIC_STATES = ["Pristine", "Weathered", "Fractured"]
RELIC_PARTS = [
    "Hull Shard", "Circuit Tablet", "Lens Fragment", "Engine Vane", "Power Cell", "Glyph Panel",
    "Crystal Node", "Conduit Coil", "Sensor Facet", "Armor Scale", "Data Spindle", "Stasis Seal",
    "Gravity Keel", "Resonator Fork", "Star Chart",
]

# Components by the family of goods that consume them.
COMPONENTS = {
    "prop": ["Vector Thrust Nozzle", "Plasma Thruster", "Ionized Exhaust Manifold",
             "Gimbal Drive Mount", "Reaction Mass Injector", "Afterburn Combustion Chamber"],
    "armor": ["Laminated Carbide Plate", "Ceramic Lattice Panel", "Boron Weave Sheath",
              "Impact Dispersal Mesh", "Reinforced Metallofullerene Alloys", "Armor Bonding Compound"],
    "shield": ["Harmonic Field Emitter", "Phase Shield Lens", "Flux Capture Ring",
               "Resonant Barrier Node", "Barrier Phase Inverter"],
    "cap": ["Superconducting Cell Stack", "Charge Buffer Matrix", "Discharge Regulator",
            "Antimatter Reactor Unit", "Capacitor Plate Stack"],
    "elec": ["Signal Correlation Unit", "Gravimetric Sensor Cluster", "Optical Sensor Cluster",
             "Quantum Sensor Cluster", "Targeting Logic Board", "Subspace Relay Module",
             "Neurovisual Output Analyzer", "Reconfigured Subspace Calibrator",
             "Countermeasure Emitter Array", "Lock Stabilizer Circuit"],
    "beam": ["Beam Focusing Array", "Photon Collimator", "Lens Cooling Jacket"],
    "coil": ["Coil Accelerator Rail", "Flux Pinning Magnet", "Slug Injector Breech"],
    "slug": ["Breech Loader Assembly", "Recoil Damper", "Barrel Liner Sleeve"],
    "ord": ["Missile Guidance Package", "Warhead Arming Unit", "Propellant Grain Core",
            "Launch Tube Liner"],
    "drone": ["Drone Servo Actuator", "Autonomy Logic Core", "Drone Sensor Pod",
              "Micro Reactor Cell", "Drone Link Transceiver"],
    "util": ["Structural Keel Frame", "Thermal Exchange Loop", "Power Conduit Harness",
             "Warfare Computation Core", "Cloak Veil Generator", "Mining Beam Focus"],
    "ship": ["Reactor Containment Shell", "Life Support Module", "Crew Habitat Ring",
             "Navigation Core", "Cargo Lattice Frame", "Jump Field Capacitor",
             "Hull Integrity Monitor", "Docking Clamp Array", "Hangar Bay Frame",
             "Bulk Transfer Conveyor", "Hull Plating Segment", "Bridge Control Console",
             "Airlock Assembly", "Ship Tractor Coupling"],
    "charge": ["Shaped Charge Casing", "Plasma Cartridge Shell", "Antimatter Containment Vial",
               "Crystal Growth Seed", "Rocket Motor Core", "Frequency Crystal Substrate",
               "Bomb Casing Shell"],
    "wingman": ["Wingman Control Relay", "Escort Autopilot Core"],
    "capital": ["Capital Keel Section", "Capital Drive Cluster", "Capital Armor Slab",
                "Capital Shield Projector", "Capital Reactor Core", "Capital Jump Coil",
                "Capital Hangar Deck", "Capital Sensor Mast", "Capital Turret Hardpoint",
                "Capital Launcher Bay", "Capital Bridge Module", "Capital Cargo Cell",
                "Capital Siege Mount", "Capital Medical Bay", "Capital Fighter Cradle",
                "Capital Power Core"],
}
# Components the market knows under one name but that two blueprints build.
TWICE_BUILT = ["Neurovisual Output Analyzer", "Reconfigured Subspace Calibrator",
               "Reinforced Metallofullerene Alloys", "Warfare Computation Core"]
# One-run value of a component's inputs, by family (low, high).
COMPONENT_VALUE = {
    "prop": (3000, 20000), "armor": (3000, 20000), "shield": (3000, 20000), "cap": (3000, 20000),
    "elec": (4000, 30000), "beam": (3000, 15000), "coil": (3000, 15000), "slug": (3000, 15000),
    "ord": (2000, 12000), "drone": (2000, 12000), "util": (5000, 40000), "ship": (20000, 120000),
    "charge": (300, 2500), "wingman": (60000, 200000), "capital": (2000000, 20000000),
}

# Technology of each family of goods: research tool, skills and components.
THEMES = {
    "prop": ("R.A.M.- Armor/Hull Tech", ["Thrust Vector Engineering", "Plasma Drive Theory"],
             ["Fluid Dynamics", "Ion Dynamics"]),
    "armor": ("R.A.M.- Armor/Hull Tech", ["Armor Lamination", "Hull Alloy Science"],
              ["Composite Materials", "Ceramics Engineering"]),
    "shield": ("R.A.M.- Field Emitter Tech", ["Shield Harmonics", "Field Projection Theory"],
               ["Resonance Tuning", "Magnetic Confinement"]),
    "cap": ("R.A.M.- Capacitor Tech", ["Capacitor Design", "Energy Storage Theory"],
            ["Particle Acceleration", "Thermal Regulation"]),
    "elec": ("R.A.M.- Sensor Tech", ["Sensor Array Theory", "Signal Processing", "Warp Field Theory"],
             ["Quantum Computation", "Gravimetrics", "Tachyon Studies", "Cloak Field Theory"]),
    "beam": ("R.A.M.- Turret Tech", ["Beam Optics"], ["Lattice Crystallography", "Thermal Regulation"]),
    "coil": ("R.A.M.- Turret Tech", ["Coil Gun Mechanics"], ["Magnetic Confinement", "Particle Acceleration"]),
    "slug": ("R.A.M.- Turret Tech", ["Ballistic Engineering"], ["Structural Analysis", "Composite Materials"]),
    "ord": ("R.A.M.- Ordnance Tech", ["Ordnance Chemistry", "Missile Guidance Theory"], ["Polymer Synthesis"]),
    "drone": ("R.A.M.- Drone Tech", ["Drone Autonomy", "Drone Chassis Design"],
              ["Neural Interfacing", "Cybernetic Integration"]),
    "util": ("R.A.M.- Armor/Hull Tech", ["Structural Analysis", "Microfabrication"],
             ["Nanoassembly", "Subspace Mechanics"]),
    "mining": ("R.A.M.- Starframe Tech", ["Mining Beam Calibration"], ["Microfabrication", "Nanoassembly"]),
}

SML = ("Small", "Medium", "Large")
MSML = ("Micro", "Small", "Medium", "Large")
SMLC = ("Small", "Medium", "Large", "Capital")
MSMLC = ("Micro", "Small", "Medium", "Large", "Capital")
PLATES = ("100mm", "300mm", "600mm", "1200mm", "2400mm")
AB = ("1MN", "10MN", "100MN")
SD = ("5MN", "50MN", "500MN")
COIL = ("60mm", "120mm", "240mm")
SLUG = ("90mm", "180mm", "360mm")
MORTAR = ("130mm", "260mm", "520mm")
DMG = ("EM", "Thermal", "Kinetic", "Blast")
SENS = ("Gravimetric", "Optical", "Quantum", "Magnetic")
ONE = (None,)

# Components a second-tech module needs grow with the module's size.
COMPONENT_SCALE = {0.4: 1, 1: 1, 3: 1.5, 4: 2, 6: 2, 12: 3, 16: 4, 24: 5}
SIZE_VALUE = {"Micro": 0.4, "Small": 1, "Medium": 4, "Large": 16, "Capital": 256}
SIZE_TIME = {"Micro": 0.8, "Small": 1, "Medium": 1.5, "Large": 2, "Capital": 8}


def ladder_factor(sizes, size):
    """Value and time factors of a size on its family's ladder."""
    if size is None or size not in sizes:
        return 1, 1
    if size in SIZE_VALUE:
        return SIZE_VALUE[size], SIZE_TIME[size]
    i = sizes.index(size)
    if sizes in (PLATES,):
        return (1, 3, 6, 12, 24)[i], (1, 1.25, 1.5, 2, 2.5)[i]
    if sizes in (AB, SD, COIL, SLUG, MORTAR):
        return (1, 4, 16)[i], (1, 1.5, 2)[i]
    return 1, 1


# Module families: pattern, sizes, sizes with a second-tech version (True: all but
# Capital), technology, one-run value of the smallest size, production seconds, and the
# pool the named variants take their names from.
FAMILIES = [
    ("{} Afterburner", AB, True, "prop", 2000, 1250, "prop"),
    ("{} Surge Drive", SD, True, "prop", 3000, 1250, "prop"),
    ("{} Vector Trim Unit", AB, True, "prop", 1500, 900, "prop"),
    ("Inertial Dampening Coil", ONE, True, "prop", 5000, 1200, "prop"),
    ("Drift Compensator", ONE, True, "prop", 4000, 1200, "prop"),
    ("Velocity Overdrive Module", ONE, True, "prop", 6000, 1500, "prop"),
    ("Lightweight Frame Lattice", ONE, True, "prop", 4500, 1200, "prop"),
    ("Warp Field Stabilizer", ONE, True, "prop", 3500, 1200, "prop"),
    ("Warp Acceleration Coil", ONE, True, "prop", 5500, 1500, "prop"),
    ("{} Reinforced Steel Plates", PLATES, True, "armor", 20000, 600, "armor"),
    ("{} Sintered Ceramic Plates", PLATES, True, "armor", 24000, 600, "armor"),
    ("{} Tempered Alloy Plates", PLATES, True, "armor", 28000, 720, "armor"),
    ("{} Armor Mender", MSMLC, True, "armor", 6000, 900, "armor"),
    ("{} Remote Armor Mender", SMLC, True, "armor", 7000, 900, "armor"),
    ("{} Hull Repair Unit", SML, True, "armor", 4000, 900, "armor"),
    ("{} Remote Hull Repair Unit", SML, True, "armor", 4500, 900, "armor"),
    ("Armor {} Hardener", DMG, True, "armor", 9000, 1500, "armor"),
    ("Armor {} Coating", DMG, True, "armor", 5000, 1200, "armor"),
    ("Armor {} Membrane", DMG, True, "armor", 7000, 1200, "armor"),
    ("Adaptive Armor Weave", ONE, True, "armor", 12000, 1800, "armor"),
    ("Hull Truss Reinforcement", ONE, True, "armor", 5000, 1200, "armor"),
    ("Damage Containment Unit", ONE, True, "armor", 8000, 1500, "armor"),
    ("Armor Mending Accelerator", ONE, True, "armor", 6000, 1200, "armor"),
    ("{} Shield Layer Projector", MSML, True, "shield", 5000, 900, "shield"),
    ("{} Shield Regenerator", SMLC, True, "shield", 6000, 900, "shield"),
    ("{} Remote Shield Regenerator", SMLC, True, "shield", 7000, 900, "shield"),
    ("Shield {} Ward", DMG, True, "shield", 9000, 1500, "shield"),
    ("Shield {} Lattice", DMG, True, "shield", 6000, 1200, "shield"),
    ("Shield {} Screen", DMG, True, "shield", 5000, 1200, "shield"),
    ("Shield {} Inverter", DMG, True, "shield", 7000, 1200, "shield"),
    ("Shield Recharge Conduit", ONE, True, "shield", 5000, 1200, "shield"),
    ("Adaptive Shield Ward", ONE, True, "shield", 12000, 1800, "shield"),
    ("Shield Regeneration Accelerator", ONE, True, "shield", 6000, 1200, "shield"),
    ("{} Capacitor Reservoir", MSML, True, "cap", 4000, 900, "cap"),
    ("{} Capacitor Injector", MSMLC, True, "cap", 5000, 900, "cap"),
    ("{} Energy Siphon", MSMLC, True, "cap", 6000, 900, "cap"),
    ("{} Energy Relay Projector", SMLC, True, "cap", 6000, 900, "cap"),
    ("{} Pulse Discharger", SML, True, "cap", 7000, 1200, "cap"),
    ("Capacitor Flow Regulator", ONE, True, "cap", 4000, 1200, "cap"),
    ("Reactor Output Booster", ONE, True, "cap", 6000, 1200, "cap"),
    ("Grid Diagnostic Core", ONE, True, "cap", 3500, 1200, "cap"),
    ("Auxiliary Logic Processor", ONE, True, "cap", 5000, 1200, "cap"),
    ("Capacitor Recharge Coil", ONE, True, "cap", 4500, 1200, "cap"),
    ("Processor Overclock Unit", ONE, True, "cap", 5500, 1200, "cap"),
    ("Thermal Capacitor Bank", ONE, True, "cap", 5000, 1200, "cap"),
    ("Sensor Gain Amplifier", ONE, True, "elec", 5000, 1200, "elec"),
    ("Targeting Matrix Upgrade", ONE, True, "elec", 6000, 1200, "elec"),
    ("Signal Scrambler", ONE, True, "elec", 5000, 1200, "elec"),
    ("Warp Lock Projector", ONE, True, "elec", 7000, 1500, "elec"),
    ("Warp Lock Inhibitor", ONE, True, "elec", 9000, 1500, "elec"),
    ("Tether Field Generator", ONE, True, "elec", 6000, 1500, "elec"),
    ("Cloaking Veil Emitter", ONE, True, "elec", 15000, 2400, "elec"),
    ("Covert Veil Emitter", ONE, True, "elec", 30000, 3000, "elec"),
    ("Prospecting Probe Launcher", ONE, True, "elec", 5000, 1200, "elec"),
    ("Deep Prospecting Probe Launcher", ONE, True, "elec", 9000, 1500, "elec"),
    ("Signal Analyzer", ONE, True, "elec", 4000, 1200, "elec"),
    ("Hold Content Scanner", ONE, True, "elec", 3000, 900, "elec"),
    ("Turret Tracking Processor", ONE, True, "elec", 6000, 1200, "elec"),
    ("Remote Sensor Amplifier", ONE, True, "elec", 6000, 1200, "elec"),
    ("Lock Breaker Array", ONE, True, "elec", 8000, 1500, "elec"),
    ("Countermeasure Dispenser", ONE, True, "elec", 5000, 1200, "elec"),
    ("Sensor Dampening Emitter", ONE, True, "elec", 6000, 1200, "elec"),
    ("Tracking Disruption Emitter", ONE, True, "elec", 6000, 1200, "elec"),
    ("Jump Beacon Projector", ONE, True, "elec", 40000, 3600, "elec"),
    ("Warp Snare Launcher", ONE, True, "elec", 25000, 3000, "elec"),
    ("Pulse Jammer", ONE, True, "elec", 7000, 1200, "elec"),
    ("Signature Illuminator", ONE, True, "elec", 5000, 1200, "elec"),
    ("Scan Pinpointing Array", ONE, True, "elec", 8000, 1500, "elec"),
    ("Relay Uplink Array", ONE, True, "elec", 9000, 1500, "elec"),
    ("{} Signal Jammer", SENS, True, "elec", 6000, 1200, "elec"),
    ("{} Sensor Hardening Unit", SENS, True, "elec", 5000, 1200, "elec"),
    ("{} Sensor Calibrator", SENS, True, "elec", 4000, 1200, "elec"),
    ("{} Command Relay", ("Armor", "Shield", "Skirmish", "Information", "Mining"), True, "elec", 25000, 3000, "elec"),
    ("{} Lance Emitter", SMLC, True, "beam", 5000, 900, "weapon"),
    ("{} Pulse Beam Array", SML, True, "beam", 4500, 900, "weapon"),
    ("{} Beam Cutter", SML, True, "beam", 4000, 900, "weapon"),
    ("{} Coil Driver", COIL, True, "coil", 5000, 900, "weapon"),
    ("{} Twin Coil Driver", COIL, True, "coil", 6000, 900, "weapon"),
    ("{} Slug Cannon", SLUG, True, "slug", 4500, 900, "weapon"),
    ("{} Burst Cannon", SLUG, True, "slug", 4000, 900, "weapon"),
    ("{} Siege Mortar", MORTAR, True, "slug", 6000, 1200, "weapon"),
    ("Capital Coil Driver", ONE, False, "coil", 1500000, 7200, None),
    ("Capital Slug Cannon", ONE, False, "slug", 1400000, 7200, None),
    ("Dart Missile Rack", ONE, True, "ord", 4000, 900, "weapon"),
    ("Rapid Dart Rack", ONE, True, "ord", 6000, 1200, "weapon"),
    ("Assault Dart Rack", ONE, True, "ord", 7000, 1200, "weapon"),
    ("Heavy Missile Rack", ONE, True, "ord", 12000, 1500, "weapon"),
    ("Rapid Heavy Missile Rack", ONE, True, "ord", 20000, 1800, "weapon"),
    ("Cruise Missile Rack", ONE, True, "ord", 40000, 2400, "weapon"),
    ("Rocket Pod", ONE, True, "ord", 3000, 900, "weapon"),
    ("Torpedo Bay", ONE, True, "ord", 45000, 2400, "weapon"),
    ("Bomb Release Bay", ONE, True, "ord", 30000, 2400, "weapon"),
    ("Capital Missile Rack", ONE, False, "ord", 1600000, 7200, None),
    ("Beam Thermal Dissipator", ONE, True, "beam", 4000, 1200, "weapon"),
    ("Coil Flux Stabilizer", ONE, True, "coil", 4000, 1200, "weapon"),
    ("Coil Tracking Enhancer", ONE, True, "coil", 4500, 1200, "weapon"),
    ("Slug Feed Accelerator", ONE, True, "slug", 4000, 1200, "weapon"),
    ("Missile Guidance Processor", ONE, True, "ord", 4500, 1200, "weapon"),
    ("Missile Flight Stabilizer", ONE, True, "ord", 4500, 1200, "weapon"),
    ("Drone Link Booster", ONE, True, "drone", 4000, 1200, "util"),
    ("Drone Course Plotter", ONE, True, "drone", 4500, 1200, "util"),
    ("Drone Servo Amplifier", ONE, True, "drone", 5000, 1200, "util"),
    ("Drone Control Range Extender", ONE, True, "drone", 4000, 1200, "util"),
    ("Ore Harvester Beam", ONE, True, "mining", 3000, 900, "util"),
    ("Deep Core Harvester Beam", ONE, True, "mining", 9000, 1500, "util"),
    ("Strip Harvester", ONE, True, "mining", 60000, 3000, "util"),
    ("Gas Siphon Unit", ONE, True, "mining", 5000, 1200, "util"),
    ("Ice Cutter Beam", ONE, True, "mining", 40000, 3000, "util"),
    ("Salvage Reclaimer", ONE, True, "util", 4000, 1200, "util"),
    ("Tractor Grapple", ONE, True, "util", 4500, 1200, "util"),
    ("Cargohold Expansion Frame", ONE, True, "util", 3000, 900, "util"),
    ("Harvester Output Upgrade", ONE, True, "mining", 4000, 1200, "util"),
    ("Entrenchment Module", ONE, True, "util", 900000, 6000, "util"),
    ("Field Infirmary Module", ONE, True, "util", 800000, 6000, "util"),
    ("{} Harvester Crystal", tuple(ORES), ORES[:8], "mining", 2500, 900, None),
]
DRONES = [
    ("Gnat", 3000), ("Midge", 3200), ("Mayfly", 3400), ("Sandfly", 3600), ("Lacewing", 3800),
    ("Cicada", 12000), ("Mantis", 13000), ("Cricket", 14000), ("Weevil", 15000), ("Katydid", 16000),
    ("Scarab", 45000), ("Locust", 48000), ("Stag Beetle", 50000), ("Earwig", 52000),
    ("Rhinoceros Beetle", 55000),
    ("Minaret Sentry", 70000), ("Belfry Sentry", 72000), ("Campanile Sentry", 74000),
    ("Steeple Sentry", 76000),
    ("Ore Tug Drone", 4000), ("Hull Tender Drone", 9000), ("Shield Tender Drone", 9000),
    ("Tether Drone", 7000), ("Reclaimer Drone", 6000), ("Picket Drone", 5000),
]
# Second-tech goods that other blueprints consume.
T2_INPUTS = [
    "Gnat II", "Midge II", "Cicada II", "Mantis II", "Scarab II", "Locust II",
    "Minaret Sentry II", "Belfry Sentry II", "Small Lance Emitter II", "Medium Lance Emitter II",
    "60mm Coil Driver II", "90mm Slug Cannon II", "Dart Missile Rack II", "Rocket Pod II",
]

NAMED_POOLS = {
    "armor": ["Abatis", "Barbican", "Caltrop", "Demilune", "Embrasure", "Fascine", "Glacis",
              "Hornwork", "Merlon", "Postern", "Ravelin", "Sconce", "Tenaille", "Vallum"],
    "shield": ["Pavise", "Buckler", "Targe", "Scutum", "Hoplon", "Rondache", "Mantlet", "Aspis",
               "Clipeus", "Parma", "Adarga", "Enarme"],
    "prop": ["Etesian", "Sirocco", "Mistral", "Chinook", "Bora", "Haboob", "Khamsin", "Levanter",
             "Williwaw", "Foehn", "Pampero", "Simoom"],
    "cap": ["Cinder", "Tinder", "Flint", "Kindling", "Brazier", "Lantern", "Beacon", "Pyre",
            "Hearth", "Gloaming", "Firebrand", "Torchlight"],
    "elec": ["Quill", "Cipher", "Lodestar", "Astrolabe", "Sextant", "Orrery", "Gnomon",
             "Quadrant", "Theodolite", "Alidade", "Plumbline", "Vernier"],
    "weapon": ["Falchion", "Glaive", "Partisan", "Ranseur", "Spontoon", "Voulge", "Bardiche",
               "Guisarme", "Fauchard", "Tulwar", "Kopis", "Flamberge"],
    "util": ["Dowser", "Fathom", "Sounding", "Plumb", "Windlass", "Capstan", "Bollard", "Hawser",
             "Grapnel", "Davit", "Gantline", "Bosun"],
}

# Ships: (name, class). Hulls that advanced ships are built on are materials.
HULLS = {
    "frigate": ["Condor", "Tarsk", "Velisse", "Quillon", "Pennant", "Skerry", "Ostler", "Lurcher",
                "Fettle", "Tumbril", "Jackstay", "Gadling", "Scrivel", "Harrow", "Thimble", "Cantle"],
    "destroyer": ["Corvain", "Gallowglass", "Rivenhall", "Brannagh", "Stroud", "Parlance"],
    "cruiser": ["Meridane", "Carrick", "Vantor", "Ilmarch", "Dorsane", "Kessrin", "Halvard",
                "Orlesk", "Peregal", "Sundrel", "Yarrowen", "Castellan", "Brightwater",
                "Marrowind", "Threnody", "Solvane"],
    "battlecruiser": ["Thornwall", "Graveline", "Kestovar", "Ashgrove", "Valdane", "Irongate",
                      "Stormhallow", "Cinderfell"],
    "battleship": ["Abaddon", "Dreadmoor", "Kharsane", "Obsidane", "Vaultheim", "Galdhor",
                   "Ironveil", "Montagrave", "Halcyrion", "Basaltine", "Oberwald", "Castlereach"],
    "industrial": ["Drayman", "Wainwright", "Stevedore", "Lighterman", "Sumpter", "Carrack"],
    "freighter": ["Providence", "Argosy", "Galleass"],
}
ADVANCED = {
    "frigate": ["Bodkin", "Gimlet", "Bradawl", "Reamer", "Burin", "Scriber", "Graver", "Lancet",
                "Fleam", "Trocar", "Bistoury", "Spudger", "Rasp", "Riffler", "Swage", "Fuller",
                "Mandrel", "Broach", "Countersink", "Auger", "Chamfer", "Gouge", "Spokeshave",
                "Drawknife", "Adze", "Froe", "Billhook", "Mattock", "Hatchet", "Cleaver",
                "Whetstone", "Jointer"],
    "destroyer": ["Mangonel", "Trebuchet", "Onager", "Springald", "Culverin", "Petrary"],
    "cruiser": ["Argent", "Gules", "Sable", "Purpure", "Tenne", "Murrey", "Sanguine", "Ermine",
                "Vair", "Potent", "Saltire", "Pall", "Chevron", "Bend", "Fess", "Bordure", "Orle",
                "Tressure", "Lozenge", "Fusil", "Mascle", "Rustre", "Billet", "Roundel", "Annulet",
                "Estoile", "Crescent", "Escallop", "Fret", "Gyron", "Pile", "Canton"],
    "battlecruiser": ["Seneschal", "Chamberlain", "Constable", "Reeve", "Bailiff", "Steward",
                      "Provost", "Chancellor"],
    "battleship": ["Margrave", "Landgrave", "Elector", "Burgrave", "Viscount", "Satrap",
                   "Tetrarch", "Voivode", "Hetman", "Boyar", "Thane", "Doge"],
    "industrial": ["Quartermaster", "Purser", "Chandler", "Factor", "Victualler", "Sutler"],
    "freighter": ["Caravel", "Galleon", "Dromon"],
}
OTHER_SHIPS = {
    "carrier": ["Basilica", "Cloister", "Reliquary", "Ossuary"],
    "dreadnought": ["Bastille", "Donjon", "Portcullis", "Drawbridge"],
    "supercarrier": ["Welkin", "Firmament"],
    "titan": ["Zenithar", "Apotheon"],
    "shuttle": ["Coracle", "Punt", "Dinghy", "Wherry"],
    "barge": ["Dredger", "Trawler", "Collier", "Quarrier"],
    "explorer": ["Surveyor", "Cartographer", "Assayer", "Tender"],
}
# Class: (one-run value, production seconds, construction skill)
SHIP_CLASS = {
    "frigate": (400000, 6000, "Frigate Construction"),
    "destroyer": (1500000, 12000, "Destroyer Construction"),
    "cruiser": (9000000, 30000, "Cruiser Construction"),
    "battlecruiser": (40000000, 60000, "Battlecruiser Construction"),
    "battleship": (150000000, 120000, "Battleship Construction"),
    "industrial": (3000000, 24000, "Hauler Construction"),
    "freighter": (450000000, 600000, "Freighter Construction"),
    "carrier": (0, 1600000, "Carrier Construction"),
    "dreadnought": (0, 1500000, "Dreadnought Construction"),
    "supercarrier": (0, 3200000, "Capital Hull Construction"),
    "titan": (0, 4800000, "Capital Hull Construction"),
    "shuttle": (30000, 1200, None),
    "barge": (12000000, 40000, "Hauler Construction"),
    "explorer": (2500000, 15000, "Frigate Construction"),
}
WINGMAN_TESTS = ["Armageddon", "Halvard", "Kharsane", "Thornwall", "Velisse", "Meridane",
                 "Galdhor", "Corvain", "Quillon"]

CHARGES = {
    "coil": ["Antimatter Charge", "Neutronium Charge", "Ferrite Charge", "Bismuth Charge",
             "Nickel Charge", "Rhodium Charge", "Zinc Charge", "Copper Charge"],
    "slug": ["Sabot Round", "Flechette Round", "Hollowpoint Round", "Tracer Round",
             "Canister Round", "Slug Round", "Incendiary Round", "Ballast Round"],
    "mortar": ["Thermite Shell", "Cluster Shell", "Airburst Shell", "Penetrator Shell",
               "Concussive Shell", "Starshell", "Smoke Shell"],
}
CHARGE_SIZES = ("S", "M", "L", "XL")
MISSILE_KINDS = ["Ember", "Static", "Impact", "Shrapnel"]
MISSILE_CLASSES = ["Dart Missile", "Heavy Missile", "Cruise Missile", "Rocket", "Torpedo",
                   "Assault Dart Missile"]
ADVANCED_CHARGES = ["Barrage", "Deluge", "Torrent", "Squall", "Cascade", "Avalanche", "Rockfall",
                    "Landslide", "Sleet", "Blizzard", "Flurry", "Downpour", "Monsoon",
                    "Cloudburst", "Whiteout", "Rimefall", "Firestorm", "Dustfall"]
ADVANCED_MISSILE_GRADES = ["Seeker", "Rampage"]
CRYSTALS = ["Aurora", "Corona", "Prism", "Solstice", "Zenith", "Halo"]
CAP_BOOSTERS = [25, 40, 80, 160, 320, 640]
MINES = ["Shrapnel Mine", "Ion Mine", "Static Mine", "Flare Mine", "Tether Mine",
         "Proximity Mine", "Cluster Mine", "Limpet Mine", "Contact Mine", "Decoy Mine"]
BOMBS = ["Concussion Bomb", "Fracture Bomb", "Ion Surge Bomb", "Flechette Bomb", "Gravitic Bomb",
         "Static Bomb"]

RIGS = [
    "Hull Frame Stiffener", "Thruster Bypass Duct", "Inertia Baffle", "Hyperspace Field Tuner",
    "Warp Bubble Shaper", "Capacitor Bypass Circuit", "Grid Overflow Sink", "Processor Cooling Fin",
    "Beam Collimation Rig", "Beam Heat Shunt", "Coil Charge Amplifier", "Coil Alignment Rig",
    "Slug Barrel Rifling", "Slug Ejection Port", "Missile Fuel Enricher", "Missile Warhead Shaper",
    "Drone Relay Antenna", "Drone Bay Insulation", "Sensor Focus Rig", "Signal Purity Filter",
    "Targeting Lens Polisher", "Cargo Bay Partition", "Ore Hold Liner", "Salvage Sorting Rig",
    "Harvester Yield Tuner", "Shield Cell Expander", "Shield Bleed Regulator",
    "Armor Plate Riveting", "Armor Repair Conduit", "Hull Breach Sealer", "Sensor Dampening Shroud",
    "Signature Masking Veil", "Cloak Reactivation Shunt", "Probe Launch Booster",
    "Scan Resolution Tuner", "Jammer Strength Amplifier", "Tether Range Extender",
    "Warp Lock Range Extender", "Siphon Drain Amplifier", "Relay Efficiency Coupler",
    "Remote Repair Focus", "Capacitor Recharge Manifold", "Reactor Cooling Loop",
    "Cargo Compression Rig", "Drone Speed Tuner", "Drone Durability Plating",
]
DAMAGE_RIGS = ["Anti-{} Screen Reinforcer", "Anti-{} Hull Sealant"]

STRUCTURES = [
    # starbase batteries and arrays built around a capital module
    ("Armor Mending Array", "Capital Armor Mender I"),
    ("Remote Armor Mending Array", "Capital Remote Armor Mender I"),
    ("Shield Regeneration Array", "Capital Shield Regenerator I"),
    ("Remote Shield Regeneration Array", "Capital Remote Shield Regenerator I"),
    ("Capacitor Injection Array", "Capital Capacitor Injector I"),
    ("Energy Siphon Battery", "Capital Energy Siphon I"),
    ("Energy Relay Array", "Capital Energy Relay Projector I"),
    ("Lance Battery", "Capital Lance Emitter I"),
    ("Coil Battery", "Capital Coil Driver I"),
    ("Slug Battery", "Capital Slug Cannon I"),
    ("Missile Battery", "Capital Missile Rack I"),
] + [(name, None) for name in [
    "Small Anchor Tower", "Medium Anchor Tower", "Large Anchor Tower", "Equipment Fabrication Bay",
    "Rapid Equipment Fabrication Bay", "Ammunition Fabrication Bay", "Drone Fabrication Bay",
    "Component Fabrication Bay", "Capital Ship Fabrication Bay", "Large Ship Fabrication Bay",
    "Medium Ship Fabrication Bay", "Small Ship Fabrication Bay", "Advanced Large Ship Fabrication Bay",
    "Advanced Medium Ship Fabrication Bay", "Advanced Small Ship Fabrication Bay",
    "Subsystem Fabrication Bay", "X-Large Ship Fabrication Bay", "Research Laboratory",
    "Advanced Research Laboratory", "Ship Refit Bay", "Shared Hangar Array", "Storage Silo Array",
    "Moon Drill Array", "Simple Reaction Vat", "Complex Reaction Vat", "Ore Refinery Array",
    "Jump Gate Anchor", "Signal Jamming Battery", "Tether Field Battery", "Warp Lock Battery",
    "Sensor Fog Battery", "Cloak Field Array", "Fuel Storage Bay", "Private Hangar Array",
    "Gas Condenser Array", "Orbital Strike Battery", "Starbase Shield Hardener",
    "Starbase Sensor Mast", "Starbase Power Relay", "Starbase Cooling Array",
    "Starbase Tractor Array", "Starbase Refuelling Gantry",
]]
PLATFORMS = ["Mining Outpost Platform", "Research Outpost Platform", "Industrial Outpost Platform",
             "Military Outpost Platform", "Trade Outpost Platform", "Refinery Outpost Platform",
             "Orbital Habitat", "Orbital Shipyard", "Orbital Refinery", "Orbital Relay Station",
             "Orbital Watchpost", "Orbital Depot"]
DEPLOYABLES = ["Field Tractor Beacon", "Field Siphon Post", "Field Jump Beacon", "Field Warp Snare",
               "Field Scanner Post", "Field Repair Post", "Field Refuelling Post", "Field Cargo Cache",
               "Field Sensor Buoy", "Field Decoy Beacon", "Field Shield Bubble", "Field Relay Mast",
               "Small Freight Crate", "Medium Freight Crate", "Large Freight Crate", "Sealed Cargo Drum",
               "Vented Cargo Drum", "Armored Cargo Vault", "Fuel Block Press", "Ice Fuel Block"]
BOOSTER_NAMES = ["Quickstep", "Steadyhand", "Ironhide", "Farsight", "Deadeye", "Slipstream",
                 "Stoneskin", "Clearmind"]
BOOSTER_GRADES = ["Diluted", "Refined", "Potent"]
RELIC_GOODS = ["Drive Core", "Lattice Engine", "Resonance Cradle", "Star Atlas",
               "Hull Fragment Matrix", "Memory Vault", "Gravity Lens", "Stasis Vessel",
               "Signal Obelisk", "Power Shard", "Navigation Orrery", "Warp Spindle", "Field Prism",
               "Plasma Vessel", "Data Tablet", "Sensor Eye", "Scale Mail Lattice", "Weapon Focus",
               "Thought Engine", "Keystone Relay"]

# ---------------------------------------------------------------------------------
# The catalogue's fixed points
# ---------------------------------------------------------------------------------

PLATES_RECORD = ("100mm Reinforced Steel Plates I Blueprint{11294{10{|34/676|35/203|36/280|37/39|38/2|39/1"
                 "{12000{12000{600{120")
AFTERBURNER_RECORD = ("100MN Afterburner II Blueprint{12069{10{|34/19000|35/10500|36/1105|37/55|38/28"
                      "|39/3|3380/5|11399/8|11449/1|11475/1|11529/1|11530/8|11531/10|11549/5|12066/1"
                      "{80000{120000{20000{4000")
ARKONOR_RECORD = "Test Arkonor Enhancement{28372{5{|22/200|44/10|3727/5|3773/10|9832/1{360000{360000{3000{3600"

PINNED_ITEMS = {
    "Industry": 3380, "Thrust Vector Engineering": 11449, "R.A.M.- Armor/Hull Tech": 11475,
    "Condor": 583, "Vector Thrust Nozzle": 11529, "Plasma Thruster": 11530,
    "Ionized Exhaust Manifold": 11531, "Gimbal Drive Mount": 11549, "100MN Afterburner I": 12066,
    "100mm Reinforced Steel Plates I": 11293, "Teshite": 18, "Quorzite": 22, "Halvine": 44, "Reagent Kit": 3727, "Thermocouple Probe": 3773,
    "Signal Repeater Card": 9832, "Fractured Orvessi Star Chart": 30788,
}
FIXED_PRICES = {
    "Industry": 20000, "R.A.M.- Armor/Hull Tech": 36456, "Condor": 28750, "Plasma Thruster": 8000,
    "Providence": 776193970,
}
# Inputs of the plasma thruster, whose price is a fixed point.
ITEM_PRICES = {"Xenon Propellant": 450, "Plasma Containment Bottle": 1100, "Magnetic Coil Winding": 320}
PINNED_BLUEPRINTS = {"Condor Blueprint": 681, "Orvessi Keystone Relay Blueprint": 30843}

# Where each kind of type ID lives; the ranges keep related goods near each other.
ID_RANGES = {
    "ore": [(18, 1400)],
    "skill": [(3300, 3520)],
    "ram": [(11470, 11495)],
    "comp": [(11500, 11760)],
    "capcomp": [(21000, 21120)],
    "dc": [(20400, 20440)],
    "moon": [(16630, 16680)],
    "reaction": [(16680, 16760), (17950, 17990)],
    "commodity": [(3600, 3900), (9800, 9900)],
    "salvage": [(25580, 25720)],
    "gas": [(25260, 25320)],
    "starbase": [(17300, 17360)],
    "relic": [(30700, 30788)],
    "hull": [(582, 680)],
    "goods": [(2000, 29990)],
    "shipbp": [(682, 1100)],
    "advshipbp": [(11940, 12300)],
    "charge": [(1100, 1999)],
    "compbp": [(17400, 17720)],
    "rambp": [(11496, 11499), (11760, 11800)],
    "relicbp": [(30790, 30842)],
}


class IdPool:
    def __init__(self):
        self.used = set()
        self.rng = Rng("type ids")

    def take(self, tid):
        if tid in self.used:
            raise SystemExit("type ID %d given twice" % tid)
        self.used.add(tid)
        return tid

    def draw(self, ranges):
        span = sum(hi - lo + 1 for lo, hi in ranges)
        for _ in range(100000):
            k = self.rng.below(span)
            for lo, hi in ranges:
                if k <= hi - lo:
                    tid = lo + k
                    break
                k -= hi - lo + 1
            if tid not in self.used:
                self.used.add(tid)
                return tid
        raise SystemExit("type ID range %r is full" % (ranges,))

    def next_free(self, tid, ranges):
        if tid not in self.used and any(lo <= tid <= hi for lo, hi in ranges):
            return self.take(tid)
        return self.draw(ranges)


# ---------------------------------------------------------------------------------
# Building the catalogue
# ---------------------------------------------------------------------------------


class Builder:
    def __init__(self):
        self.items = []
        self.by_name = {}
        self.bps = []
        self.bp_by_name = {}
        self.rng = Rng("materials")

    # --- items ---
    def item(self, kind, name, group, price=None):
        if name in self.by_name:
            raise SystemExit("item %r twice" % name)
        it = Item(kind, name, group, price)
        self.items.append(it)
        self.by_name[name] = it
        return it

    def get(self, name):
        return self.by_name[name]

    # --- blueprints ---
    def blueprint(self, name, cat, product=None, **attrs):
        bp = Blueprint(name, cat, product)
        for k, v in attrs.items():
            setattr(bp, k, v)
        self.bps.append(bp)
        self.bp_by_name.setdefault(name, bp)
        if product is not None and product.builder is None:
            product.builder = bp
        return bp

    def minerals(self, bp, value, profile, jitter=0.25):
        shares = MINERAL_PROFILES[profile]
        for (tid, name, price), share in zip(MINERALS, shares):
            if share == 0:
                continue
            q = int(round(value * share / price * self.rng.jitter(1 - jitter, 1 + jitter)))
            if q >= 1 or name == "Tritanium":
                bp.add(self.get(name), max(q, 1))


# ISK share of each mineral in a one-run value, in the order of MINERALS.
MINERAL_PROFILES = {
    "light": [0.35, 0.35, 0.2, 0.1, 0, 0, 0, 0, 0],
    "charge": [0.3, 0.3, 0.2, 0.1, 0.1, 0, 0, 0, 0],
    "module": [0.07, 0.08, 0.4, 0.25, 0.07, 0.13, 0, 0, 0],
    "heavy": [0.05, 0.06, 0.2, 0.2, 0.15, 0.14, 0.2, 0, 0],
    "t2": [0.08, 0.18, 0.08, 0.015, 0.03, 0.015, 0, 0.6, 0],
    "hull": [0.03, 0.05, 0.1, 0.14, 0.18, 0.22, 0.28, 0, 0],
    "ram": [0.06, 0.06, 0.06, 0.1, 0.28, 0.2, 0.24, 0, 0],
    "structure": [0.15, 0.15, 0.15, 0.15, 0.15, 0.1, 0.1, 0, 0.05],
}


def build():
    b = Builder()
    rng = Rng("catalogue")

    # ---- materials that no blueprint builds ----
    for tid, name, price in MINERALS:
        b.item("Raw", name, "mineral", price).tid = tid
    skill_rng = Rng("skill prices")
    for name in SKILLS:
        if name in UNSOLD_SKILLS:
            price = 0
        elif name in EXPENSIVE_SKILLS:
            price = EXPENSIVE_SKILLS[name]
        else:
            price = FIXED_PRICES.get(name) or skill_rng.pick(SKILL_PRICES)
        b.item("Skill", name, "skill", price)
    for name in DATACORES:
        b.item("DC", name, "dc", 0)
    for grade in ORE_GRADES:
        for ore in ORES:
            b.item("Item", grade + ore, "ore", 0)
    price_rng = Rng("item prices")
    for name in MOON_MATERIALS:
        b.item("Item", name, "moon", market_price(price_rng, 40, 1000))
    for name in REACTION_PRODUCTS:
        b.item("Item", name, "reaction", market_price(price_rng, 300, 30000))
    for name in COMMODITIES:
        b.item("Item", name, "commodity", ITEM_PRICES.get(name) or market_price(price_rng, 15, 6000))
    for i, state in enumerate(SALVAGE_STATES):
        for j in range(5):
            b.item("Item", "%s %s" % (state, SALVAGE_PARTS[(i * 5 + j) % len(SALVAGE_PARTS)]), "salvage", 0)
    for cloud in GAS_CLOUDS:
        for form in GAS_FORMS:
            b.item("Item", "%s %s" % (cloud, form), "gas", 0)
    for part in STARBASE_PARTS:
        b.item("Item", part, "starbase", 0)
    for state in RELIC_STATES:
        for part in RELIC_PARTS:
            b.item("Item", "%s Orvessi %s" % (state, part), "relic", 0)

    priced = {g: [it for it in b.items if it.group == g and it.price] for g in ("moon", "reaction", "commodity")}

    # ---- components ----
    comps = {}
    for fam, names in COMPONENTS.items():
        for name in names:
            comps[name] = b.item("Comp", name, "capcomp" if fam == "capital" else "comp")
    comp_rng = Rng("components")
    groups = ("moon", "reaction", "commodity")
    feeds = {g: comp_rng.sample(priced[g], len(priced[g])) for g in groups}
    taken = {g: 0 for g in groups}

    def feed(g):
        it = feeds[g][taken[g] % len(feeds[g])]
        taken[g] += 1
        return it

    ci = 0
    for fam, names in COMPONENTS.items():
        lo, hi = COMPONENT_VALUE[fam]
        for name in names:
            copies = 2 if name in TWICE_BUILT else 1
            for copy in range(copies):
                bp = b.blueprint(name + " Blueprint", "component", comps[name], waste=5, theme=fam)
                value = comp_rng.between(lo, hi)
                ci += 1
                if name == "Plasma Thruster":
                    picks = [b.get("Xenon Propellant"), b.get("Plasma Containment Bottle"),
                             b.get("Magnetic Coil Winding")]
                    value = 7600
                elif name == "Reinforced Metallofullerene Alloys":
                    picks = [b.get("Fulleroferrocene "), b.get("Plutonium Metallofullerene "),
                             b.get("Metallofullerene Plating ")]
                    if copy:
                        picks.append(comp_rng.pick(priced["moon"]))
                else:
                    n = comp_rng.between(2, 5)
                    picks = []
                    for k in range(n):
                        it = feed(groups[(k + ci) % 3])
                        if it not in picks:
                            picks.append(it)
                for it in picks:
                    bp.add(it, value / len(picks) / it.price * comp_rng.jitter(0.6, 1.4))
                t = comp_rng.pick([1200, 1800, 2400, 3000, 3600, 4800, 6000])
                if fam == "capital":
                    t = comp_rng.pick([24000, 30000, 36000, 48000, 60000])
                elif fam in ("ship", "wingman"):
                    t = comp_rng.pick([6000, 7200, 9000, 12000])
                bp.prod, bp.ml, bp.pl = t, 10 * t, 10 * t

    # ---- research tools ----
    for name in RAM_NAMES:
        it = b.item("RAM", name, "ram")
        bp = b.blueprint(name + " Blueprint", "ram", it)
        b.minerals(bp, 34000, "ram", 0.15)
        bp.prod, bp.ml, bp.pl = 1200, 12000, 12000

    # ---- first- and second-tech modules ----
    t1_bases = []  # (family, base name, size, value, prod)
    for fam in FAMILIES:
        pattern, sizes, t2, theme, value, prod, pool = fam
        for size in sizes:
            base = pattern.format(size) if size is not None else pattern
            vf, tf = ladder_factor(sizes, size)
            has_t2 = (size != "Capital") if t2 is True else (size in t2 if t2 else False)
            t1_bases.append((fam, base, size, value * vf, prod * tf, has_t2))
    for name, value in DRONES:
        fam = (name, ONE, True, "drone", value, 900, None)
        t1_bases.append((fam, name, None, value, 900 if value < 10000 else 1500 if value < 40000 else 2400, True))

    t1_items = {}
    for fam, base, size, value, prod, has_t2 in t1_bases:
        theme = fam[3]
        consumed = has_t2 or base.startswith("Capital ")
        product = b.item("T1", base + " I", "goods") if consumed else None
        bp = b.blueprint(base + " I Blueprint", "t1", product, theme=theme)
        if base == "100mm Reinforced Steel Plates":
            bp.fixed = PLATES_RECORD
            minerals = {it.tid: it for it in b.items if it.group == "mineral"}
            for entry in PLATES_RECORD.split("{")[3].split("|")[1:]:
                tid, qty = entry.split("/")
                bp.add(minerals[int(tid)], int(qty))
            bp.tid, bp.prod, bp.ml, bp.pl, bp.mod = 11294, 600, 12000, 12000, 120
        else:
            b.minerals(bp, value, "module" if value < 500000 else "heavy")
        p = max(60, int(round(prod / 60.0)) * 60)
        bp.prod, bp.ml, bp.pl = p, 20 * p, 20 * p
        t1_items[base] = (bp, product, has_t2)

    t2_rng = Rng("second tech")
    industry = b.get("Industry")
    for fam, base, size, value, prod, has_t2 in t1_bases:
        if not has_t2:
            continue
        t1_bp, t1_item, _ = t1_items[base]
        name = base + " II"
        product = b.item("T2", name, "goods") if name in T2_INPUTS else None
        bp = b.blueprint(name + " Blueprint", "t2", product, theme=fam[3])
        if name == "100MN Afterburner II":
            bp.fixed = AFTERBURNER_RECORD
            bp.tid = 12069
            bp.prod, bp.ml, bp.pl, bp.mod = 20000, 80000, 120000, 4000
            continue
        ram, primary, secondary = THEMES[fam[3]]
        sizes = fam[1]
        vf, _ = ladder_factor(sizes, size)
        b.minerals(bp, value * t2_rng.jitter(6, 10), "t2", 0.2)
        level = 2 if vf <= 1 else 3 if vf <= 4 else t2_rng.pick([4, 5])
        bp.add(industry, level)
        bp.add(b.get(t2_rng.pick(primary)), t2_rng.between(1, 4))
        if t2_rng.below(3) == 0:
            bp.add(b.get(t2_rng.pick(secondary)), t2_rng.between(1, 3))
        if "Command Relay" in base:
            bp.add(b.get("Fleet Support Systems"), t2_rng.between(2, 4))
        if "Veil Emitter" in base:
            bp.add(b.get("Cloak Field Theory"), t2_rng.between(3, 5))
        bp.add(b.get(ram), 1 if vf < 16 else 2)
        theme_comps = COMPONENTS["util" if fam[3] == "mining" else fam[3]]
        for c in t2_rng.sample(theme_comps, t2_rng.between(2, 4)):
            bp.add(comps[c], t2_rng.between(1, 5) * COMPONENT_SCALE[vf])
        bp.add(t1_item, 1)
        p = int(round(t1_bp.prod * 8 / 100.0)) * 100
        bp.prod, bp.ml, bp.pl = p, 4 * p, 6 * p

    # ---- ships ----
    hull_items = {}
    ship_rng = Rng("ships")
    for cls, names in HULLS.items():
        value, prod, skill = SHIP_CLASS[cls]
        for name in names:
            it = b.item("Ship", name, "hull")
            hull_items[name] = it
            bp = b.blueprint(name + " Blueprint", "ship", it, theme=cls)
            v = 26000 if name == "Condor" else 705000000 if name == "Providence" else value * ship_rng.jitter(0.6, 1.5)
            b.minerals(bp, v, "hull", 0.15)
            p = int(prod * ship_rng.jitter(0.8, 1.25) / 100) * 100
            bp.prod, bp.ml, bp.pl = p, 5 * p, 5 * p
    ship_comps = [comps[c] for c in COMPONENTS["ship"]]
    for cls, names in ADVANCED.items():
        hulls = HULLS[cls]
        value, prod, skill = SHIP_CLASS[cls]
        for i, name in enumerate(names):
            hull = hull_items[hulls[i % len(hulls)]]
            bp = b.blueprint(name + " Blueprint", "advship", None, theme=cls)
            bp.add(hull, 1)
            bp.add(b.get(skill), ship_rng.between(3, 5))
            bp.add(b.get("Advanced Hull Design"), ship_rng.between(1, 4))
            if cls == "freighter":
                bp.add(b.get("Jump Drive Engineering"), ship_rng.between(1, 3))
            bp.add(b.get("R.A.M.- Starframe Tech"), ship_rng.between(1, 4))
            scale = {"frigate": 1, "destroyer": 2, "cruiser": 6, "battlecruiser": 12, "battleship": 30,
                     "industrial": 4, "freighter": 60}[cls]
            picks = ship_rng.sample(ship_comps, ship_rng.between(4, 7))
            theme = ship_rng.pick(["prop", "armor", "shield", "cap", "elec"])
            picks += ship_rng.sample([comps[c] for c in COMPONENTS[theme]], ship_rng.between(1, 3))
            for c in picks:
                bp.add(c, ship_rng.between(2, 12) * scale)
            bp.add(b.get("Morphite"), ship_rng.between(1, 6) * scale * 10)
            if name == "Margrave":
                # The flagship of its line needs everything: the catalogue's longest list.
                bp.mats = bp.mats[:1]
                for needed, level in (("Battleship Construction", 5), ("Advanced Hull Design", 4),
                                      ("Structural Analysis", 3), ("Composite Materials", 3),
                                      ("Jump Drive Engineering", 1)):
                    bp.add(b.get(needed), level)
                bp.add(b.get("R.A.M.- Starframe Tech"), 4)
                bp.add(b.get("R.A.M.- Armor/Hull Tech"), 2)
                bp.add(b.get("Morphite"), 60)
                for mineral, qty in (("Tritanium", 240000), ("Pyerite", 60000), ("Mexallon", 15000),
                                     ("Isogen", 3000), ("Nocxium", 800), ("Zydrine", 200), ("Megacyte", 60)):
                    bp.add(b.get(mineral), qty)
                for c in ("Reactor Containment Shell", "Life Support Module", "Crew Habitat Ring",
                          "Hull Integrity Monitor", "Laminated Carbide Plate", "Impact Dispersal Mesh"):
                    bp.add(comps[c], 90)
            p = int(prod * 2 * ship_rng.jitter(0.9, 1.2) / 100) * 100
            bp.prod, bp.ml, bp.pl = p, 4 * p, 6 * p
    cap_comps = [comps[c] for c in COMPONENTS["capital"]]
    for cls, names in OTHER_SHIPS.items():
        value, prod, skill = SHIP_CLASS[cls]
        for i, name in enumerate(names):
            bp = b.blueprint(name + " Blueprint", "ship", None, theme=cls)
            if cls in ("carrier", "dreadnought", "supercarrier", "titan"):
                per = {"carrier": 8, "dreadnought": 10, "supercarrier": 60, "titan": 250}[cls]
                kinds = ship_rng.between(5, 6) if cls == "titan" else ship_rng.between(8, 12)
                for c in ship_rng.sample(cap_comps, kinds):
                    bp.add(c, ship_rng.between(1, 4) * per)
                bp.add(b.get(skill), ship_rng.between(1, 5))
                if cls in ("supercarrier", "titan"):
                    bp.add(b.get("Jump Drive Engineering"), 5)
                if cls == "titan":
                    b.minerals(bp, 400000000, "hull", 0.1)
                p = int(prod * ship_rng.jitter(0.9, 1.0) / 1000) * 1000
                bp.prod, bp.ml, bp.pl = p, 5 * p, 5 * p
            else:
                b.minerals(bp, value * ship_rng.jitter(0.7, 1.3), "hull", 0.15)
                if skill:
                    bp.add(b.get(skill), ship_rng.between(1, 2))
                p = int(prod * ship_rng.jitter(0.8, 1.25) / 100) * 100
                bp.prod, bp.ml, bp.pl = p, 5 * p, 5 * p
    # The largest hull of all: the catalogue's biggest quantity, time and research.
    titan = b.bp_by_name["Zenithar Blueprint"]
    titan.mats = [(it, 15968500 if it.name == "Tritanium" else q) for it, q in titan.mats]
    titan.prod, titan.ml, titan.pl = 5120000, 31449600, 31449600

    # ---- charges ----
    charge_rng = Rng("charges")

    def charge(name, batch, value, profile, prod, extra=()):
        bp = b.blueprint(name + " Blueprint", "charge", None, batch=batch, alt_modifier=True)
        b.minerals(bp, value, profile, 0.2)
        for it, q in extra:
            bp.add(it, q)
        bp.prod = prod
        bp.ml = bp.pl = max(120, 2 * prod)
        return bp

    for fam, names in CHARGES.items():
        for name in names:
            for k, size in enumerate(CHARGE_SIZES):
                charge("%s %s" % (name, size), 100, charge_rng.between(3000, 9000) * (1, 4, 16, 64)[k],
                       "charge", (600, 900, 1200, 1800)[k])
    for kind in MISSILE_KINDS:
        for k, cls in enumerate(MISSILE_CLASSES):
            extra = [(comps["Propellant Grain Core"], charge_rng.between(1, 4))] if k in (2, 4) else []
            charge("%s %s" % (kind, cls), 100, charge_rng.between(8000, 20000) * (1, 3, 8, 1, 12, 2)[k],
                   "charge", (600, 900, 1500, 600, 1800, 900)[k], extra)
    for name in ADVANCED_CHARGES:
        for k, size in enumerate(CHARGE_SIZES):
            extra = [(comps[charge_rng.pick(["Shaped Charge Casing", "Plasma Cartridge Shell",
                                             "Antimatter Containment Vial"])], charge_rng.between(2, 8) * (k + 1)),
                     (b.get("R.A.M.- Ordnance Tech"), 1),
                     (b.get(charge_rng.pick(["Ordnance Chemistry", "Antimatter Handling"])), charge_rng.between(1, 4))]
            bp = charge("%s %s" % (name, size), 5000, charge_rng.between(20000, 60000) * (1, 4, 16, 64)[k],
                        "t2", (3000, 4200, 6000, 9000)[k], extra)
            bp.ml, bp.pl = 4 * bp.prod, 6 * bp.prod
    for grade in ADVANCED_MISSILE_GRADES:
        for k, cls in enumerate(MISSILE_CLASSES):
            extra = [(comps[charge_rng.pick(["Rocket Motor Core", "Shaped Charge Casing"])], charge_rng.between(2, 10)),
                     (comps["Propellant Grain Core"], charge_rng.between(1, 5)),
                     (b.get("R.A.M.- Ordnance Tech"), 1),
                     (b.get("Missile Guidance Theory"), charge_rng.between(1, 4))]
            bp = charge("%s %s" % (grade, cls), 5000, charge_rng.between(40000, 90000) * (1, 3, 8, 1, 12, 2)[k],
                        "t2", (3000, 4800, 7200, 3000, 9000, 4200)[k], extra)
            bp.ml, bp.pl = 4 * bp.prod, 6 * bp.prod
    for name in CRYSTALS:
        for k, size in enumerate(("S", "M", "L")):
            extra = [(comps["Crystal Growth Seed"], (1, 3, 9)[k]),
                     (comps["Frequency Crystal Substrate"], (2, 5, 12)[k])]
            if name == "Aurora":
                extra.append((b.get("Crystal Growth"), 2))
            charge("%s %s" % (name, size), 4, charge_rng.between(6000, 14000) * (1, 4, 16)[k], "module",
                   (1200, 1800, 2400)[k], extra)
    for k, n in enumerate(CAP_BOOSTERS):
        bp = charge("Cap Booster %d" % n, 10, 90 * n, "light", 60 * (k + 1))
        if n == 25:
            bp.mats = [(b.get("Tritanium"), 700), (b.get("Pyerite"), 160), (b.get("Mexallon"), 25)]
    for name in MINES:
        charge(name, 10, charge_rng.between(30000, 90000), "charge", 1200,
               [(b.get("Mine Fuse Design"), charge_rng.between(1, 3))])
    for name in BOMBS:
        charge(name, 3, charge_rng.between(200000, 500000), "module", 3600,
               [(comps["Bomb Casing Shell"], charge_rng.between(2, 6)),
                (b.get("Bomb Fusing"), charge_rng.between(1, 4))])
    bomb = charge("Bomb", 2, 0, "module", 900)
    bomb.mats = [(comps["Bomb Casing Shell"], 2)]
    charge("Warp Disrupt Probe", 2, 60000, "module", 1800,
           [(comps["Subspace Relay Module"], 1), (b.get("Probe Telemetry"), 2)])
    arkonor = b.blueprint("Test Arkonor Enhancement", "test", None, waste=5, batch=200, alt_modifier=True)
    arkonor.fixed = ARKONOR_RECORD
    arkonor.tid, arkonor.prod, arkonor.ml, arkonor.pl, arkonor.mod = 28372, 3000, 360000, 360000, 3600

    # ---- rigs ----
    salvage = [it for it in b.items if it.group == "salvage"]
    rig_rng = Rng("rigs")
    rig_names = [p.format(d) for p in DAMAGE_RIGS for d in DMG] + RIGS
    for i, name in enumerate(rig_names):
        bp = b.blueprint(name + " I Blueprint", "rig")
        picks = [salvage[(2 * i) % len(salvage)], salvage[(2 * i + 1) % len(salvage)]]
        picks += rig_rng.sample(salvage, rig_rng.between(0, 2))
        for it in picks:
            bp.add(it, rig_rng.between(2, 40))
        if rig_rng.below(4) == 0:
            bp.add(b.get("Salvage Reclamation"), rig_rng.between(1, 3))
        p = rig_rng.pick([900, 1200, 1800, 2400])
        bp.prod, bp.ml, bp.pl = p, 10 * p, 10 * p

    # ---- structures, platforms, deployables ----
    st_rng = Rng("structures")
    commodities = priced["commodity"]
    for name, module in STRUCTURES:
        bp = b.blueprint(name + " Blueprint", "structure")
        b.minerals(bp, st_rng.between(5, 80) * 1000000, "structure", 0.2)
        if module:
            bp.add(b.get(module), st_rng.between(1, 3))
        for it in st_rng.sample(commodities, st_rng.between(1, 3)):
            bp.add(it, st_rng.between(50, 2000))
        bp.add(b.get("Starbase Engineering"), st_rng.between(1, 4))
        if "Fabrication Bay" in name:
            bp.add(b.get("Assembly Line Management"), st_rng.between(2, 5))
        if "Reaction" in name:
            bp.add(b.get("Reaction Chemistry"), st_rng.between(1, 4))
        p = st_rng.pick([14400, 28800, 43200, 72000])
        bp.prod, bp.ml, bp.pl = p, 5 * p, 5 * p
    starbase = [it for it in b.items if it.group == "starbase"]
    for i, name in enumerate(PLATFORMS):
        bp = b.blueprint(name + " Blueprint", "platform", waste=0)
        picks = [starbase[(3 * i + k) % len(starbase)] for k in range(3)]
        picks += st_rng.sample(starbase, st_rng.between(0, 2))
        for it in picks:
            bp.add(it, st_rng.between(1, 20))
        for it in st_rng.sample(commodities, 2):
            bp.add(it, st_rng.between(1000, 20000))
        bp.add(b.get("Outpost Engineering"), st_rng.between(1, 5))
        if "Refinery" in name:
            bp.add(b.get("Ore Compression"), st_rng.between(1, 3))
        p = st_rng.pick([216000, 324000, 432000, 540000])
        bp.prod, bp.ml, bp.pl = p, 2 * p, 2 * p
    for name in DEPLOYABLES:
        bp = b.blueprint(name + " Blueprint", "deployable")
        b.minerals(bp, st_rng.between(50, 900) * 1000, "module", 0.2)
        for it in st_rng.sample(commodities, st_rng.between(1, 2)):
            bp.add(it, st_rng.between(5, 200))
        if "Fuel" in name:
            bp.add(b.get(st_rng.pick(["Deuterium Ice", "Nitrogen Ice", "Tritium Capsule"])), st_rng.between(40, 400))
        p = st_rng.pick([1800, 3600, 7200])
        bp.prod, bp.ml, bp.pl = p, 5 * p, 5 * p

    # ---- ore compression, boosters, relics ----
    for it in [x for x in b.items if x.group == "ore"]:
        bp = b.blueprint("Compressed %s Blueprint" % it.name, "compressed", waste=0)
        bp.add(it, st_rng.pick([100, 200, 250, 300, 400, 500]))
        p = st_rng.pick([60, 120, 180, 240, 300])
        bp.prod, bp.ml, bp.pl = p, 600, 600
    gases = [it for it in b.items if it.group == "gas"]
    for gi, name in enumerate(BOOSTER_NAMES):
        for k, grade in enumerate(BOOSTER_GRADES):
            bp = b.blueprint("%s %s Booster Blueprint" % (grade, name), "booster", waste=5, alt_modifier=True)
            bp.add(gases[(gi * 3 + k) % len(gases)], 20 * (k + 1))
            bp.add(gases[(gi * 3 + k + 7) % len(gases)], 10 * (k + 1))
            bp.add(st_rng.pick(commodities), st_rng.between(1, 10))
            bp.add(b.get("Booster Pharmacology"), k + 1)
            if k == 2:
                bp.add(b.get("Gas Refining"), st_rng.between(2, 4))
            p = 3600 * (k + 1)
            bp.prod, bp.ml, bp.pl = p, 4 * p, 4 * p
    relics = [it for it in b.items if it.group == "relic"]
    dcs = [it for it in b.items if it.group == "dc"]
    for i, good in enumerate(RELIC_GOODS):
        bp = b.blueprint("Orvessi %s Blueprint" % good, "relic", waste=0, alt_modifier=True)
        for k in range(3):
            bp.add(relics[(3 * i + k) % len(relics)], st_rng.between(1, 4))
        if i < 5:
            bp.add(relics[(60 + i) % len(relics)], 1)
        bp.add(dcs[i % len(dcs)], st_rng.between(2, 12))
        bp.add(b.get(("Relic Reconstruction", "Archaeotech Studies", "Xenolinguistics")[i % 3]), st_rng.between(1, 5))
        p = st_rng.pick([3600, 7200, 10800, 14400])
        bp.prod, bp.ml, bp.pl = p, 3 * p, 3 * p

    # ---- wingman trials: the second-tech goods that other blueprints consume ----
    t2_inputs = [b.get(n) for n in T2_INPUTS]
    for i, ship in enumerate(WINGMAN_TESTS):
        bp = b.blueprint("Test %s Wingman  Blueprint" % ship, "wingman", alt_modifier=True)
        for k in range(2):
            bp.add(t2_inputs[(2 * i + k) % len(t2_inputs)], st_rng.between(2, 5))
        bp.add(comps["Wingman Control Relay"], st_rng.between(1, 3))
        bp.add(comps["Escort Autopilot Core"], 1)
        bp.add(b.get("Drone Autonomy"), st_rng.between(3, 5))
        bp.add(b.get("Escort Drone Command"), st_rng.between(1, 5))
        p = 36000
        bp.prod, bp.ml, bp.pl = p, 360000, 360000

    # ---- named variants fill the catalogue ----
    add_named_variants(b, t1_items)
    return b


def add_named_variants(b, t1_items):
    """Named variants of first-tech modules ('Abatis' 100mm Reinforced Steel Plates I).
    Families take names from their pool in turns, each name on every size of the
    family, until the catalogue is complete; the last turn stops part-way."""
    want = BLUEPRINT_COUNT - len(b.bps)
    families = [f for f in FAMILIES if f[6] is not None]
    offsets = {}
    starts = []
    for fam in families:
        start = offsets.get(fam[6], 0)
        starts.append(start)
        offsets[fam[6]] = start + 3
    candidates = []
    for rank in range(max(len(p) for p in NAMED_POOLS.values())):
        for fam, start in zip(families, starts):
            pool = NAMED_POOLS[fam[6]]
            if rank < len(pool):
                word = pool[(start + rank) % len(pool)]
                candidates += [(fam, word, size) for size in fam[1] if size != "Capital"]
    if len(candidates) < want:
        raise SystemExit("not enough names for the named variants")
    rng = Rng("named variants")
    for fam, word, size in candidates[:want]:
        base = fam[0].format(size) if size is not None else fam[0]
        t1_bp = t1_items[base][0]
        bp = b.blueprint("'%s' %s I Blueprint" % (word, base), "named", theme=fam[3])
        for it, q in t1_bp.mats:
            bp.add(it, q * rng.jitter(1.0, 1.3))
        bp.prod, bp.ml, bp.pl = t1_bp.prod, t1_bp.ml, t1_bp.pl


# ---------------------------------------------------------------------------------
# Type IDs, completion of the material lists, counts, prices, order
# ---------------------------------------------------------------------------------

BLUEPRINT_ID_RANGE = {"component": "compbp", "ram": "rambp", "ship": "shipbp", "advship": "advshipbp",
                      "charge": "charge", "relic": "relicbp"}


def assign_ids(b):
    pool = IdPool()
    for it in b.items:
        if it.tid is not None:
            pool.take(it.tid)
    for name, tid in PINNED_ITEMS.items():
        b.get(name).tid = pool.take(tid)
    for bp in b.bps:
        if bp.fixed is not None:
            pool.take(bp.tid)
            if bp.tid - 1 not in pool.used:
                pool.take(bp.tid - 1)  # the item the fixed record builds
    for name, tid in PINNED_BLUEPRINTS.items():
        b.bp_by_name[name].tid = pool.take(tid)
    for it in b.items:
        if it.tid is None:
            it.tid = pool.draw(ID_RANGES[it.group])
    for bp in b.bps:
        if bp.tid is not None:
            continue
        if bp.cat in ("t1", "t2", "named"):
            product = bp.product.tid if bp.product else pool.draw(ID_RANGES["goods"])
            bp.tid = pool.next_free(product + 1, ID_RANGES["goods"])
        else:
            bp.tid = pool.draw(ID_RANGES[BLUEPRINT_ID_RANGE.get(bp.cat, "goods")])


def attach_fixed_materials(b):
    by_tid = {it.tid: it for it in b.items}
    for bp in b.bps:
        if bp.fixed is None:
            continue
        fields = bp.fixed.split("{")
        bp.waste = int(fields[2])
        bp.mats = []
        for entry in fields[3].split("|")[1:]:
            tid, qty = entry.split("/")
            bp.mats.append((by_tid[int(tid)], int(qty)))


def used_items(b):
    used = set()
    for bp in b.bps:
        for it, _ in bp.mats:
            used.add(it.name)
    return used


def cover_materials(b):
    """Every named item is a material of some blueprint: an item the random choices
    left out joins the consumer of its kind that has the shortest list."""
    rng = Rng("coverage")
    used = used_items(b)

    def join(item, consumers, qty):
        consumers = [bp for bp in consumers if bp.fixed is None and not bp.has(item)]
        if not consumers:
            raise SystemExit("no consumer for %s" % item.display)
        target = min(consumers, key=lambda bp: len(bp.mats))
        target.add(item, qty)

    for it in b.items:
        if it.name in used:
            continue
        if it.kind == "Skill":
            themes = [t for t, (_, primary, secondary) in THEMES.items() if it.name in primary + secondary]
            join(it, [bp for bp in b.bps if bp.cat == "t2" and bp.theme in themes], rng.between(1, 3))
        elif it.kind == "Comp":
            fam = next(f for f, names in COMPONENTS.items() if it.name in names)
            if fam == "ship":
                consumers = [bp for bp in b.bps if bp.cat == "advship"]
            elif fam == "capital":
                consumers = [bp for bp in b.bps if bp.cat == "ship" and bp.theme in ("carrier", "dreadnought")]
            elif fam == "charge":
                consumers = [bp for bp in b.bps if bp.cat == "charge" and bp.batch == 5000]
            else:
                themes = ("util", "mining") if fam == "util" else (fam,)
                consumers = [bp for bp in b.bps if bp.cat == "t2" and bp.theme in themes]
            join(it, consumers, rng.between(1, 5))
        elif it.group in ("moon", "reaction", "commodity"):
            consumers = [bp for bp in b.bps if bp.cat == "component" and bp.theme not in ("capital",)
                         and not bp.name.startswith("Reinforced Metallofullerene")]
            join(it, consumers, max(1, 4000 // it.price))
        else:
            raise SystemExit("%s is no material of any blueprint" % it.display)


TARGET_WASTE = {0: 103, 5: 129, 10: 2347}
TARGET_ALT_MODIFIERS = BLUEPRINT_COUNT - 2269
ALT_RATIO = {"charge": (1, 12), "test": (6, 5), "wingman": (6, 5), "relic": (1, 3), "booster": (1, 4),
             "compressed": (1, 4)}


def settle_counts(b):
    """Base waste and productivity modifiers: each kind of blueprint has its own; a few
    blueprints of one kind differ from the rest of their kind."""
    def by_name(cat, pred=lambda bp: True):
        return sorted((bp for bp in b.bps if bp.cat == cat and pred(bp)), key=lambda bp: bp.name)

    zero = sum(1 for bp in b.bps if bp.waste == 0)
    for bp in by_name("deployable")[: TARGET_WASTE[0] - zero]:
        bp.waste = 0
    five = sum(1 for bp in b.bps if bp.waste == 5)
    for bp in by_name("structure", lambda bp: not bp.mats[-1][0].kind == "T1")[: TARGET_WASTE[5] - five]:
        bp.waste = 5
    alt = sum(1 for bp in b.bps if bp.alt_modifier)
    for bp in by_name("compressed")[: TARGET_ALT_MODIFIERS - alt]:
        bp.alt_modifier = True
    for bp in b.bps:
        if bp.fixed is not None:
            continue
        if bp.alt_modifier:
            num, den = ALT_RATIO[bp.cat]
            bp.mod = bp.prod * num // den
            if bp.mod * 5 == bp.prod:
                raise SystemExit("modifier of %s" % bp.name)
        else:
            if bp.prod % 5:
                raise SystemExit("production time of %s" % bp.name)
            bp.mod = bp.prod // 5


def catalogue_order(b):
    return sorted(b.bps, key=lambda bp: (sort_key(bp.name), bp.tid))


def tune(bp, target):
    """Scales bp's materials to cost about target for one run at ML 0, then sets the
    quantities of two of them, the cheapest pair that can, so that the cost is exactly
    target (used where an item's price is one of the catalogue's fixed points)."""
    factor = bp.waste / 100
    scale = target / one_run_cost(bp)
    bp.mats = [(it, q if it.kind == "Skill" else max(1, int(round(q * scale)))) for it, q in bp.mats]
    costed = [i for i, (it, _) in enumerate(bp.mats) if it.kind != "Skill"]
    costed.sort(key=lambda i: (bp.mats[i][0].price, bp.mats[i][0].tid))
    others = [None] + costed
    for ic in others:
        for dc in ([0] if ic is None else sorted(range(-20, 21), key=lambda x: (abs(x), x))):
            if ic is not None:
                it, qc = bp.mats[ic]
                if qc + dc < 1:
                    continue
                bp.mats[ic] = (it, qc + dc)
            for x, ia in enumerate(costed):
                for ib in costed[x + 1:]:
                    if ic not in (ia, ib) and tune_pair(bp, ia, ib, target):
                        return
            if ic is not None:
                bp.mats[ic] = (it, qc)
    raise SystemExit("cannot price %s at %d" % (bp.name, target))


def tune_pair(bp, ia, ib, target):
    factor = bp.waste / 100
    (a, qa0), (b_, qb0) = bp.mats[ia], bp.mats[ib]
    rest = one_run_cost(bp) - amount_with_waste(qa0, factor) * a.price - amount_with_waste(qb0, factor) * b_.price
    for d in sorted(range(-3000, 3001), key=lambda x: (abs(x), x)):
        qb = qb0 + d
        if qb < 1:
            continue
        remaining = target - rest - amount_with_waste(qb, factor) * b_.price
        if remaining <= 0 or remaining % a.price:
            continue
        need = remaining // a.price
        guess = int(need / (1 + factor))
        for qa in range(max(1, guess - 3), guess + 4):
            if amount_with_waste(qa, factor) == need:
                bp.mats[ia] = (a, qa)
                bp.mats[ib] = (b_, qb)
                assert one_run_cost(bp) == target
                return True
    return False


BUILT_KINDS = ("Comp", "RAM", "T1", "Ship", "T2")


def price_built_items(b, ordered):
    """A built item's default price is what one run of its builder costs at ML 0 with
    Production Efficiency 5, so auto-pricing with default prices agrees with them."""
    first = {}
    for bp in ordered:
        first.setdefault(bp.name, bp)
    for kind in BUILT_KINDS:
        for it in sorted((x for x in b.items if x.kind == kind), key=lambda x: x.tid):
            it.builder = first[it.name + " Blueprint"]
            if it.name in FIXED_PRICES:
                tune(it.builder, FIXED_PRICES[it.name])
            it.price = one_run_cost(it.builder)


def fit_shortest(bp):
    """The catalogue's shortest record: the times of bp are chosen to give it MIN_RECORD characters."""
    for prod in range(600, 3601, 60):
        for mult in (2, 3, 4, 5, 6, 8, 10, 20):
            bp.prod, bp.ml, bp.pl = prod, prod * mult, prod * mult
            bp.mod = prod // 12
            if len(bp.record()) == MIN_RECORD:
                return
    raise SystemExit("cannot fit %s to %d characters" % (bp.name, MIN_RECORD))


def fit_longest(bp):
    """The catalogue's longest record, with the most materials: its mineral quantities
    take one more digit each, in order, until the record has MAX_RECORD characters."""
    i = 0
    while len(bp.record()) < MAX_RECORD:
        while bp.mats[i][0].group != "mineral":
            i += 1
        it, q = bp.mats[i]
        bp.mats[i] = (it, q * 10)
        i += 1
    if len(bp.record()) != MAX_RECORD:
        raise SystemExit("cannot fit %s to %d characters: %d" % (bp.name, MAX_RECORD, len(bp.record())))


# ---------------------------------------------------------------------------------
# What the catalogue must hold, checked on the text that is written
# ---------------------------------------------------------------------------------

KIND_COUNTS = {"Item": 390, "T1": 252, "Comp": 95, "Skill": 70, "Ship": 67, "T2": 14, "Raw": 9,
               "RAM": 8, "DC": 8}
BATCH_COUNTS = {1: 2336, 100: 116, 5000: 84, 4: 18, 10: 16, 3: 6, 2: 2, 200: 1}
REFERENCE_ROWS = {34: ("[Raw] Tritanium", 2), 35: ("[Raw] Pyerite", 8), 36: ("[Raw] Mexallon", 32),
                37: ("[Raw] Isogen", 128), 38: ("[Raw] Nocxium", 512), 39: ("[Raw] Zydrine", 2048),
                40: ("[Raw] Megacyte", 8192), 11399: ("[Raw] Morphite", 32768),
                27029: ("[Raw] Chalcopyrite", 2), 3380: ("[Skill] Industry", 20000),
                11475: ("[RAM] R.A.M.- Armor/Hull Tech", 36456), 583: ("[Ship] Condor", 28750),
                11530: ("[Comp] Plasma Thruster", 8000)}
NAMED_IN_TEXT = [
    "100mm Reinforced Steel Plates I Blueprint", "100MN Afterburner II Blueprint", "Abaddon Blueprint",
    "'Abatis' 100mm Reinforced Steel Plates I Blueprint", "Antimatter Reactor Unit Blueprint",
    "Anti-Thermal Screen Reinforcer I Blueprint", "Antimatter Charge S Blueprint", "Barrage S Blueprint",
    "Aurora S Blueprint", "Cap Booster 25 Blueprint", "Concussion Bomb Blueprint", "Bomb Blueprint",
    "Warp Disrupt Probe Blueprint", "Test Arkonor Enhancement", "Test Armageddon Wingman  Blueprint",
    "R.A.M.- Armor/Hull Tech Blueprint", "Plasma Thruster Blueprint",
] + [n + " Blueprint" for n in TWICE_BUILT]
ORDER_EXAMPLES = [("Abaddon Blueprint", "'Abatis' 100mm Reinforced Steel Plates I Blueprint"),
                  ("Antimatter Reactor Unit Blueprint", "Anti-Thermal Screen Reinforcer I Blueprint")]
NAMED_BATCHES = {"100mm Reinforced Steel Plates I Blueprint": 1, "Antimatter Charge S Blueprint": 100,
                 "Barrage S Blueprint": 5000, "Aurora S Blueprint": 4, "Cap Booster 25 Blueprint": 10,
                 "Concussion Bomb Blueprint": 3, "Bomb Blueprint": 2, "Warp Disrupt Probe Blueprint": 2,
                 "Test Arkonor Enhancement": 200}


def count(values):
    out = {}
    for v in values:
        out[v] = out.get(v, 0) + 1
    return out


def check(records, item_lines, batch_lines):
    problems = []

    def expect(ok, what):
        if not ok:
            problems.append(what)

    # items
    items = {}
    for line in item_lines:
        tid, name, price = line.split("{")
        items[int(tid)] = (name, int(price))
    tids = [int(line.split("{")[0]) for line in item_lines]
    expect(tids == sorted(set(tids)) and len(tids) == 913, "913 items in ascending type ID order")
    expect(min(tids) == 18 and max(tids) == 30788, "item type IDs 18..30788")
    kinds = count(name[1:name.index("]")] for name, _ in items.values())
    expect(kinds == KIND_COUNTS, "kind counts %r" % kinds)
    expect(all(name.startswith("[%s] " % k) for name, _ in items.values() for k in [name[1:name.index("]")]]),
           "display names are a kind prefix, a space and the name")
    zero = count(name[1:name.index("]")] for name, price in items.values() if price == 0)
    expect(zero == {"DC": 8, "Item": 245, "Skill": 8}, "zero prices %r" % zero)
    for tid, row in REFERENCE_ROWS.items():
        expect(items.get(tid) == row, "reference row %d" % tid)
    trailing = sorted(name for name, _ in items.values() if name.endswith(" "))
    expect(trailing == sorted(["[Item] Fulleroferrocene ", "[Item] Plutonium Metallofullerene ",
                               "[Item] Metallofullerene Plating "]), "names ending with a space")
    top = max(price for _, price in items.values())
    expect([name for name, price in items.values() if price == top] == ["[Ship] Providence"] and top == 776193970,
           "largest price")

    # records
    expect(len(records) == BLUEPRINT_COUNT, "record count")
    fields = [r.split("{") for r in records]
    expect(all(len(f) == 8 for f in fields), "eight fields")
    names = [f[0] for f in fields]
    bptids = [int(f[1]) for f in fields]
    expect(records[0] == PLATES_RECORD, "index 0")
    for r in (PLATES_RECORD, AFTERBURNER_RECORD, ARKONOR_RECORD):
        expect(r in records, "reference record %s" % r[:30])
    expect([n for n in names if not n.endswith(" Blueprint")] == ["Test Arkonor Enhancement"], "names without Blueprint")
    expect(len(set(bptids)) == len(bptids) and min(bptids) == 681 and max(bptids) == 30843, "blueprint type IDs")
    expect(not set(bptids) & set(tids), "blueprint and item type IDs apart")
    expect(count(int(f[2]) for f in fields) == TARGET_WASTE, "waste factors")
    used = set()
    mat_counts, quantities = [], []
    for f in fields:
        entries = f[3].split("|")
        expect(entries[0] == "", "material list starts with |")
        ids = [int(e.split("/")[0]) for e in entries[1:]]
        qtys = [int(e.split("/")[1]) for e in entries[1:]]
        expect(ids == sorted(set(ids)), "ascending materials in %s" % f[0])
        for i, q in zip(ids, qtys):
            used.add(i)
            expect(i in items, "material %d of %s has a name" % (i, f[0]))
            if i in items and items[i][0].startswith("[Skill]"):
                expect(1 <= q <= 5, "skill level in %s" % f[0])
        mat_counts.append(len(ids))
        quantities += qtys
    expect(used == set(tids), "named items are exactly the materials")
    expect(min(mat_counts) == 1 and max(mat_counts) == 22, "1 to 22 materials")
    expect(min(quantities) == 1 and max(quantities) == 15968500, "quantities")
    for k, lo, hi in ((4, 120, 31449600), (5, 120, 31449600), (6, 60, 5120000), (7, 5, 1024000)):
        vals = [int(f[k]) for f in fields]
        expect(min(vals) == lo and max(vals) == hi, "field %d range %d..%d" % (k, min(vals), max(vals)))
    expect(sum(1 for f in fields if int(f[6]) % 5 == 0 and int(f[7]) == int(f[6]) // 5) == 2269, "field 7 = field 6 / 5")
    lengths = [len(r) for r in records]
    expect(min(lengths) == MIN_RECORD and max(lengths) == MAX_RECORD, "record lengths %d..%d" % (min(lengths), max(lengths)))
    expect(all(r.isascii() and "\n" not in r for r in records), "ASCII")
    expect(all("|" not in n and "{" not in n for n in names), "names without { and |")
    keys = [sort_key(n) for n in names]
    expect(all(keys[i] <= keys[i + 1] for i in range(len(keys) - 1)), "catalogue order")
    dup = sorted(n for n, c in count(names).items() if c > 1)
    expect(dup == sorted(n + " Blueprint" for n in TWICE_BUILT) and max(count(names).values()) == 2, "duplicates")
    double = [n for n in names if "  " in n]
    expect(len(double) == 9 and "Test Armageddon Wingman  Blueprint" in double, "two spaces")
    expect([n for n in names if "/" in n] == ["R.A.M.- Armor/Hull Tech Blueprint"], "slash")
    expect(all(n == n.strip() for n in names), "no leading or trailing spaces in names")
    for n in NAMED_IN_TEXT:
        expect(n in names, "blueprint %s" % n)
    for a, b_ in ORDER_EXAMPLES:
        expect(names.index(a) < names.index(b_), "%s before %s" % (a, b_))

    # batch sizes
    batches = [tuple(int(x) for x in line.split("{")) for line in batch_lines]
    expect([t for t, _ in batches] == bptids, "batch sizes in blueprint order")
    expect(count(s for _, s in batches) == BATCH_COUNTS, "batch size counts")
    for n, size in NAMED_BATCHES.items():
        expect(batches[names.index(n)][1] == size, "batch size of %s" % n)

    # builders: first index with the name, for the built kinds only
    first = {}
    for i, n in enumerate(names):
        builder = n[: n.index(" Blueprint")] if " Blueprint" in n else n
        first.setdefault(builder, i)
    for tid, (display, _) in items.items():
        kind, name = display[1:display.index("]")], display[display.index("] ") + 2:]
        has = name in first
        expect(has == (kind in BUILT_KINDS), "builder of %s" % display)
    depth = {}

    def chain(i, seen):
        if i in depth:
            return depth[i]
        if i in seen:
            raise SystemExit("circular chain at %s" % names[i])
        d = 0
        for e in fields[i][3].split("|")[1:]:
            display = items[int(e.split("/")[0])][0]
            name = display[display.index("] ") + 2:]
            if name in first:
                d = max(d, 1 + chain(first[name], seen | {i}))
        depth[i] = d
        return d
    expect(max(chain(i, frozenset()) for i in range(len(names))) <= 3, "chains at most a few levels deep")

    # a built item costs what one run of its builder costs at ML 0 with default prices
    for tid, (display, price) in items.items():
        name = display[display.index("] ") + 2:]
        if name not in first:
            continue
        f = fields[first[name]]
        factor = int(f[2]) / 100
        cost = 0
        for e in f[3].split("|")[1:]:
            mid, qty = (int(x) for x in e.split("/"))
            if not items[mid][0].startswith("[Skill]"):
                cost += amount_with_waste(qty, factor) * items[mid][1]
        expect(cost == price, "price of %s is the cost of its materials" % display)
    return problems


def generate():
    b = build()
    assign_ids(b)
    attach_fixed_materials(b)
    cover_materials(b)
    settle_counts(b)
    ordered = catalogue_order(b)
    price_built_items(b, ordered)
    fit_shortest(b.bp_by_name["Bomb Blueprint"])
    fit_longest(b.bp_by_name["Margrave Blueprint"])
    records = [bp.record() for bp in ordered]
    item_lines = ["%d{%s{%d" % (it.tid, it.display, it.price) for it in sorted(b.items, key=lambda it: it.tid)]
    batch_lines = ["%d{%d" % (bp.tid, bp.batch) for bp in ordered]
    problems = check(records, item_lines, batch_lines)
    if problems:
        for p in problems:
            print("catalogue: " + p, file=sys.stderr)
        raise SystemExit(1)
    return {
        "blueprints.txt": "".join(r + "\n" for r in records),
        "items.txt": "".join(line + "\n" for line in item_lines),
        "batchsizes.txt": "".join(line + "\n" for line in batch_lines),
    }


def main():
    parser = argparse.ArgumentParser(description="Writes the catalogue data files.")
    parser.add_argument("--check", action="store_true",
                        help="compare with the files in catalogue/data instead of writing them")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                      os.pardir, "catalogue", "data"),
                        help="folder of the data files (default: catalogue/data)")
    args = parser.parse_args()
    files = generate()
    differ = 0
    for name, text in files.items():
        path = os.path.join(args.out, name)
        data = text.encode("ascii")
        if args.check:
            try:
                with open(path, "rb") as f:
                    have = f.read()
            except OSError:
                have = None
            if have != data:
                differ += 1
                if have is None:
                    print("%s: missing" % path)
                else:
                    old, new = have.decode("ascii", "replace").split("\n"), text.split("\n")
                    line = next((i for i, (x, y) in enumerate(zip(old, new)) if x != y), min(len(old), len(new)))
                    print("%s: differs from the generator at line %d" % (path, line + 1))
        else:
            os.makedirs(args.out, exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    if args.check:
        print("catalogue data %s the generator" % ("differs from" if differ else "matches"))
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())

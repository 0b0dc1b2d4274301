"""Validates project files against the project schema (draft 7).

Usage: check_schema.py SCHEMA FILE...

Every file must be valid; so that a schema that accepts anything cannot
pass, a few broken copies of each must be refused.
"""
import copy
import json
import sys

import jsonschema


def broken_copies(project):
    """(what was broken, the broken project) pairs."""
    def changed(what, change):
        p = copy.deepcopy(project)
        change(p)
        return what, p

    yield changed("geometry.B missing", lambda p: p["geometry"].pop("B"))
    yield changed("soil.phi as text", lambda p: p["soil"].__setitem__("phi", "30"))
    yield changed("analysis.method unknown", lambda p: p["analysis"].__setitem__("method", "x"))
    yield changed("version 2", lambda p: p.__setitem__("version", 2))
    yield changed("ground.waterTable negative",
                  lambda p: p["ground"].__setitem__("waterTable", -1))
    layer = {"name": "x", "thickness": 1, "gamma": 1800, "gammaSat": 2000, "phi": 57,
             "delta": 20, "c": 0, "ca": 0, "cu": 0}
    yield changed("a layer's phi 57", lambda p: p["ground"]["layers"].append(layer))
    soft = dict(layer, phi=20, nu=0.6)
    yield changed("a layer's nu 0.6", lambda p: p["ground"]["layers"].append(soft))
    yield changed("ground.E as text", lambda p: p["ground"].__setitem__("E", "80"))
    yield changed("settlement.method unknown",
                  lambda p: p.__setitem__("settlement", {"method": "x"}))
    yield changed("settlement.combination ULS",
                  lambda p: p.__setitem__("settlement", {"method": "elastic",
                                                         "combination": "ULS"}))
    if project.get("actions"):
        yield changed("an action of kind G3",
                      lambda p: p["actions"]["characteristic"][0].__setitem__("kind", "G3"))
        yield changed("a category on a G1 action",
                      lambda p: p["actions"]["characteristic"][0].__setitem__("category", "A"))
    if project.get("seismic"):
        yield changed("seismic.gammaRv 2", lambda p: p["seismic"].__setitem__("gammaRv", 2))


def main():
    schema_path, *files = sys.argv[1:]
    with open(schema_path, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft7Validator.check_schema(schema)
    validator = jsonschema.Draft7Validator(schema)
    failures = 0
    for path in files:
        with open(path, encoding="utf-8") as f:
            project = json.load(f)
        for error in validator.iter_errors(project):
            print(f"{path}: {error.json_path if hasattr(error, 'json_path') else list(error.path)}:"
                  f" {error.message}")
            failures += 1
        for what, broken in broken_copies(project):
            if validator.is_valid(broken):
                print(f"{path}: the schema accepts {what}")
                failures += 1
    if not files:
        print("no project files given")
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

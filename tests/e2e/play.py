#!/usr/bin/python3
# End-to-end runs of the real game in an X server: a fresh copy of the data folder, xdotool for
# the mouse and keys, screenshots polled with a bound for every screen the player must see.
import argparse
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

from e2e_screen import (cursor_corner, description_ink, dialog_button_centre, differs, distance,
                        enemy_centre, geometry, grab, info_panel, is_battlefield, is_dialog, is_menu, is_mission_list,
                        list_row_centre, menu_button_centre, order_button_centre, own_unit, play_state,
                        ring_centre, tile)

# Generous bounds: the runs share two cores with the build and may run under a sanitizer.
START_SECONDS = 60 * float(os.environ.get("TUNDREL_E2E_SLOWDOWN", "1"))
SCREEN_SECONDS = 30 * float(os.environ.get("TUNDREL_E2E_SLOWDOWN", "1"))

REPLAY = os.path.join("Replays", "e2e.tlr")


class Failure(Exception):
    pass


class Game:
    def __init__(self, binary, folder, artifacts, args=()):
        self.folder = folder
        self.artifacts = artifacts
        self.shots = 0
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        env.pop("SDL_VIDEODRIVER", None)
        self.log = open(os.path.join(artifacts, "game-output.txt"), "wb")
        self.process = subprocess.Popen(shlex.split(os.environ.get("TUNDREL_E2E_WRAPPER", "")) + [binary] + list(args), cwd=folder, env=env,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.window = self.find_window()

    def find_window(self):
        deadline = time.monotonic() + START_SECONDS
        while time.monotonic() < deadline:
            self.check_running()
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tundrel$"],
                                   capture_output=True, text=True).stdout.split()
            if found:
                return found[0]
            time.sleep(0.2)
        raise Failure("the window \"Tundrel\" did not appear")

    def check_running(self):
        if self.process.poll() is not None:
            raise Failure(f"the game ended early with status {self.process.returncode}")

    def wait_for(self, what, predicate, seconds=SCREEN_SECONDS):
        deadline = time.monotonic() + seconds
        shot = None
        while time.monotonic() < deadline:
            self.check_running()
            shot = grab(self.window)
            if shot is not None and predicate(shot):
                return shot
            time.sleep(0.25)
        self.shots += 1
        if shot is not None:
            path = os.path.join(self.artifacts, f"failed-{self.shots}.png")
            shot.save(path)
            raise Failure(f"{what}: not seen within {seconds:.0f} s (last screenshot {path})")
        raise Failure(f"{what}: no screenshot could be taken")

    def click(self, x, y, button=1):
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(int(x)), str(int(y)),
                        "click", str(button)], check=True)

    def move(self, x, y):
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(int(x)), str(int(y))], check=True)

    def size(self):
        return geometry(self.window)[2:]

    def set_maximized(self, maximized):
        subprocess.run(["wmctrl", "-i", "-r", self.window, "-b",
                        ("add" if maximized else "remove") + ",maximized_vert,maximized_horz"], check=True)

    def key(self, name):
        subprocess.run(["xdotool", "key", name], check=True)

    def wait_exit(self):
        try:
            return self.process.wait(timeout=START_SECONDS)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise Failure("the game did not end after \"Wyjscie\"")

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.log.close()


# The runs.

def open_list(game):
    menu = game.wait_for("the white main menu with five buttons, \"Wroc do gry\" disabled", is_menu(False),
                         seconds=START_SECONDS)
    game.click(*menu_button_centre(menu, 1))
    return game.wait_for("the mission list with \"[Mapa losowa]\"", is_mission_list)


def choose_and_play(game, shot, row):
    game.click(*list_row_centre(shot, row))
    shot = game.wait_for("a description and \"Graj >\" enabled", lambda s: description_ink(s) > 40 and play_state(s) == "enabled")
    w, h = shot.size
    game.click(w - 58, h - 20)
    # Away from the edges at once: in full screen the pointer at an edge scrolls the battlefield.
    game.move(w / 2, h / 3)
    return shot


def escape_to_menu(game):
    # Off the buttons, so none shows as hovered.
    w, h = grab(game.window).size
    game.move(0.1 * w, 0.5 * h)
    game.key("Escape")
    return game.wait_for("the menu over the game, \"Wroc do gry\" enabled", is_menu(True))


def quit_from_menu(game, shot):
    game.click(*menu_button_centre(shot, 4))
    return game.wait_exit()


def enter_order(game, spot, begin, target, button=1):
    # Begins order entry (a key or a click), sees the targeting cross at spot, clicks the target
    # and sees the pointer back.
    game.move(*spot)
    pointer = cursor_corner(game.wait_for("the battlefield", is_battlefield), spot)
    begin()
    game.move(*spot)
    game.wait_for("the targeting cross", lambda s: differs(cursor_corner(s, spot), pointer) > 12)
    game.click(*target, button=button)
    game.move(*spot)
    game.wait_for("the pointer after the target", lambda s: differs(cursor_corner(s, spot), pointer) < 4)


def find_enemy(game):
    # Moves the camera with short presses of the arrow keys, right and back, until the lone enemy
    # is in view; each press moves it at least one frame's worth.
    key = "Right"
    for _ in range(300):
        shot = grab(game.window)
        w, h = shot.size
        found = enemy_centre(shot)
        if found and 0.05 * w < found[0] < 0.9 * w and 0.05 * h < found[1] < h - 180:
            return shot
        # Black at the view's edge: the camera has come to the end of the map.
        if key == "Right" and shot.getpixel((w - 2, h // 3)) == (0, 0, 0):
            key = "Left"
        elif key == "Left" and shot.getpixel((1, h // 3)) == (0, 0, 0):
            key = "Right"
        subprocess.run(["xdotool", "keydown", key, "sleep", "0.05", "keyup", key], check=True)
        game.check_running()
    raise Failure("the lone enemy was never seen on the battlefield")


def wait_standing(game):
    # Still for a whole second: two screenshots taken close together can both catch a child wading
    # slowly through deep snow, above all in the sanitized build.
    previous = None
    deadline = time.monotonic() + SCREEN_SECONDS
    while time.monotonic() < deadline:
        shot = game.wait_for("the selected child", lambda s: ring_centre(s) is not None)
        here = ring_centre(shot)
        if previous and distance(here, previous) < 2:
            return shot
        previous = here
        time.sleep(1.0)
    raise Failure("the selected child never came to a stop")


def walk_left(game, shot):
    # Selects the player's leftmost child on the battlefield shot (the ring and the info panel
    # show it), sends it one tile left with the "g" key and sees it walk. Returns a spot of still
    # terrain for the pointer, away from the children's paths, and the tile size.
    w, h = shot.size
    size = tile(shot)
    spot = (0.3 * w, 0.1 * h)
    game.move(*spot)
    before = info_panel(game.wait_for("the battlefield", is_battlefield))
    child = own_unit(shot)
    game.click(*child)
    shot = game.wait_for("the child selected: the ring and the info panel", lambda s: differs(info_panel(s), before) > 150 and (
        ring_centre(s) is not None and distance(ring_centre(s), child) < size))
    start = ring_centre(shot)
    enter_order(game, spot, lambda: game.key("g"), (start[0] - size, start[1]))
    game.wait_for("the child walking left", lambda s: ring_centre(s) and ring_centre(s)[0] < start[0] - 0.6 * size)
    return spot, size


def run_mission(game):
    # A shipped mission: select, go and attack by key and by click, Escape, back, Escape, quit.
    shot = open_list(game)
    choose_and_play(game, shot, 1)  # "01 Pierwsze kroki": the lone enemy starts out of range
    shot = game.wait_for("terrain, the player's children and the panel of \"01 Pierwsze kroki\"",
                         lambda s: is_battlefield(s) and own_unit(s) is not None)
    # Go by key one tile left, then by a right click onto the deep snow at (8, 13), within throwing
    # range of the lone enemy at (16, 13): the leftmost child is the boy at (3, 17).
    spot, size = walk_left(game, shot)
    shot = wait_standing(game)
    start = ring_centre(shot)
    game.click(start[0] + 6 * size, start[1] - 4 * size, button=3)
    game.wait_for("the child walking right", lambda s: ring_centre(s) and ring_centre(s)[0] > start[0] + size)

    # Escape shows the menu over the game; "Wroc do gry" brings it back as it was.
    menu = escape_to_menu(game)
    game.click(*menu_button_centre(menu, 0))
    game.wait_for("the game back on top", is_battlefield)
    # The walk goes on where it stopped; an attack given before the child stands in range would
    # only be refused as too far.
    wait_standing(game)

    # Attack by key, then again by the order button; the snowballs' hits show in the info panel
    # (experience for hits near the child, life for hits on it).
    shot = find_enemy(game)
    enter_order(game, spot, lambda: game.key("a"), enemy_centre(shot))
    attack_button = order_button_centre(shot, 3)
    shot = find_enemy(game)
    enter_order(game, spot, lambda: game.click(*attack_button), enemy_centre(shot))
    panel = info_panel(shot)
    game.wait_for("the fight in the info panel", lambda s: differs(info_panel(s), panel) > 20, seconds=2 * SCREEN_SECONDS)

    # The lone enemy may already have fallen, and a won mission goes back to the menu by itself.
    w, h = shot.size
    game.move(0.1 * w, 0.5 * h)
    game.key("Escape")
    menu = game.wait_for("the menu", lambda s: is_menu(True)(s) or is_menu(False)(s))
    return quit_from_menu(game, menu)


def run_replay(game):
    # A recording given on the command line plays in the window; its children reach the target
    # area, and the won mission goes back to the menu by itself.
    game.wait_for("the recorded battlefield", is_battlefield, seconds=START_SECONDS)
    menu = game.wait_for("the menu after the recorded victory", is_menu(False), seconds=2 * SCREEN_SECONDS)
    return quit_from_menu(game, menu)


def fnv1a64(data):
    value = 0xcbf29ce484222325
    for byte in data:
        value = ((value ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return f"{value:016x}"


def write_recording(folder):
    # Both children of "01 Pierwsze kroki" sent to the flag in the first frame, then frames of
    # a twentieth of a second: a win within ten seconds.
    mission = "Maps\\01 Pierwsze kroki.tlm"
    data = open(os.path.join(folder, "Maps", "01 Pierwsze kroki.tlm"), "rb").read()
    lines = ["tundrel-orders 1", "mission " + mission, "hash " + fnv1a64(data), "seed 1",
             "frame 0.05", "select 1", "go 1 26 3", "go 2 25 3"] + ["frame 0.05"] * 400
    os.makedirs(os.path.join(folder, "Replays"), exist_ok=True)
    with open(os.path.join(folder, REPLAY), "wb") as out:
        out.write(("\n".join(lines) + "\n").encode("cp1250"))


def check_recording(folder, tool):
    # The game recorded the mission it played; the tool plays the recording to the result the
    # game reached.
    replays = os.path.join(folder, "Replays")
    names = sorted(os.listdir(replays)) if os.path.isdir(replays) else []
    if len(names) != 1 or not names[0].endswith(" 01 Pierwsze kroki.tlr"):
        raise Failure(f"one recording of \"01 Pierwsze kroki\" expected in Replays, found {names}")
    path = os.path.join(replays, names[0])
    ends = [line for line in open(path, "rb").read().decode("cp1250").splitlines() if line.startswith("end ")]
    if len(ends) != 1:
        raise Failure(f"the recording {path} has no end line")
    played = subprocess.run([tool, "replay", "play", path], cwd=folder, capture_output=True, text=True)
    if played.returncode != 0 or played.stdout.strip() != ends[0][4:]:
        raise Failure(f"the recording plays to {played.stdout.strip()!r} (status {played.returncode}), "
                      f"the game reached {ends[0][4:]!r}")


def check_whole_picture(game, what, size=None, park=True):
    # The menu fills the window at the size it really has (when given, that size), its bottom button
    # highlights under the pointer, and so does "Graj >" in the mission list; back at the menu. The
    # pointer is parked beside the buttons first unless it is known to rest off them.
    def sized(predicate):
        return lambda s: (size is None or s.size == size) and predicate(s)
    if park:
        w, h = game.size()
        game.move(0.1 * w, 0.5 * h)
    menu = game.wait_for(f"{what}: the menu filling the window", sized(is_menu(False)))
    w, h = menu.size
    x, y = menu_button_centre(menu, 4)
    game.move(0.72 * w, y)
    game.wait_for(f"{what}: \"Wyjscie\" highlighted under the pointer", sized(is_menu(False, hovered=4)))
    game.click(*menu_button_centre(menu, 1))
    shot = game.wait_for(f"{what}: the mission list", sized(is_mission_list))
    game.click(*list_row_centre(shot, 0))
    game.wait_for(f"{what}: \"Graj >\" enabled", sized(lambda s: play_state(s) == "enabled"))
    game.move(w - 20, h - 14)
    game.wait_for(f"{what}: \"Graj >\" highlighted under the pointer", sized(lambda s: play_state(s) == "hovered"))
    game.click(58, h - 20)
    game.move(0.1 * w, 0.5 * h)
    return game.wait_for(f"{what}: the menu again", sized(is_menu(False)))


def open_settings(game, menu, what):
    game.click(*menu_button_centre(menu, 2))
    return game.wait_for(f"{what}: the settings dialog whole inside the window", is_dialog)


def run_window_changes(game):
    # From full screen the dialog opens in a window; Cancel, then OK from full screen again, then
    # maximize and restore: each time the whole picture is in the window at its real size. Then a
    # mission is played in that window.
    menu = game.wait_for("the menu in full screen", is_menu(False), seconds=START_SECONDS)
    full = menu.size
    dialog = open_settings(game, menu, "from full screen")
    windowed = dialog.size
    if windowed == full:
        raise Failure(f"the dialog is drawn in full screen ({full}), not in a window")
    game.click(*dialog_button_centre(dialog, False))
    menu = check_whole_picture(game, "after Cancel", windowed, park=False)

    game.key("alt+Return")
    menu = game.wait_for("the menu in full screen again", lambda s: s.size == full and is_menu(False)(s))
    dialog = open_settings(game, menu, "from full screen again")
    # The pointer rests where OK was, below the buttons: "Ustawienia", lit when it was clicked, goes
    # dark without another move, since the moves made while the dialog was open reach the menu.
    game.click(*dialog_button_centre(dialog, True))
    check_whole_picture(game, "after OK", windowed, park=False)

    game.set_maximized(True)
    game.wait_for("the window maximized", lambda s: s.size[0] > windowed[0] and s.size[1] > windowed[1])
    check_whole_picture(game, "maximized")
    game.set_maximized(False)
    menu = check_whole_picture(game, "restored", windowed)

    # And plays on in that window: a mission from "Nowa gra", its battlefield whole in the window,
    # a child sent one tile left by key, Escape to the menu, and out.
    game.click(*menu_button_centre(menu, 1))
    choose_and_play(game, game.wait_for("the mission list", is_mission_list), 1)
    shot = game.wait_for("the battlefield whole in the restored window",
                         lambda s: s.size == windowed and is_battlefield(s) and own_unit(s) is not None)
    walk_left(game, shot)
    return quit_from_menu(game, escape_to_menu(game))


def run_bare_server(game):
    # No window manager to grant full screen: the game goes on in its window at the size it has.
    size = tuple(game.size())
    menu = check_whole_picture(game, "full screen refused", size)
    status = quit_from_menu(game, menu)
    text = open(os.path.join(game.folder, "Settings.xml"), "rb").read().decode("cp1250")
    if not re.search(r"<fullscreen>\s*0\s*</fullscreen>", text):
        raise Failure("Settings.xml does not store the window the game ended in:\n" + text)
    return status


def check_sanitizer_report(output, source_root):
    # No memory or undefined-behaviour error at all, and no leak that our code allocated; the
    # graphics driver and D-Bus leave a few blocks behind that are theirs.
    text = open(output, "rb").read().decode("utf-8", "replace")
    if re.search(r"ERROR: AddressSanitizer|runtime error:", text):
        raise Failure("the sanitizers report an error:\n" + text[-6000:])
    ours = os.path.join(os.path.abspath(source_root), "src") + os.sep
    for leak in re.split(r"\n(?=(?:Direct|Indirect) leak)", text):
        if leak.startswith(("Direct leak", "Indirect leak")) and ours in leak:
            raise Failure("a leak from our code:\n" + leak[:4000])


def start_window_manager(work):
    # Openbox, as a player's desktop has one: full screen and focus behave as they do there.
    ready = os.path.join(work, "window-manager-ready")
    manager = subprocess.Popen(["openbox", "--startup", f"touch {shlex.quote(ready)}"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + START_SECONDS
    while not os.path.exists(ready):
        if manager.poll() is not None or time.monotonic() > deadline:
            raise Failure("the window manager did not start")
        time.sleep(0.1)
    return manager


RUNS = {"mission": run_mission, "replay": run_replay, "windowchanges": run_window_changes,
        "bareserver": run_bare_server}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--run", choices=RUNS, required=True)
    parser.add_argument("--tool")  # tundrel-tool, to play the mission run's recording back
    parser.add_argument("--artifacts")  # where screenshots of failures go
    # With ASan and UBSan: fail on any error they report and on leaks from our sources under it.
    parser.add_argument("--sanitized", metavar="SOURCE_ROOT")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="tundrel-e2e-")
    folder = os.path.join(work, "data")
    shutil.copytree(args.data, folder, ignore=shutil.ignore_patterns("Settings.xml", "Errors.log", "Replays"))
    if args.run == "replay":
        write_recording(folder)
    artifacts = args.artifacts or work
    os.makedirs(artifacts, exist_ok=True)

    game = None
    manager = None
    try:
        # The bare-server run has no window manager, as a kiosk or a bare session has.
        if args.run != "bareserver":
            manager = start_window_manager(work)
        game_args = ["--replay", REPLAY] if args.run == "replay" else []
        game = Game(os.path.abspath(args.game), folder, artifacts, game_args)
        status = RUNS[args.run](game)
        if args.sanitized:
            check_sanitizer_report(os.path.join(artifacts, "game-output.txt"), args.sanitized)
            # The sanitizers' status (exitcode=23) once the report holds only the libraries' leaks.
            status = 0 if status == 23 else status
        if status != 0:
            raise Failure(f"exit status {status}, expected 0")
        if args.run == "mission" and args.tool:
            check_recording(folder, os.path.abspath(args.tool))
        # Only the refused full screen leaves a record.
        errors = os.path.join(folder, "Errors.log")
        text = open(errors, "rb").read().decode("cp1250") if os.path.exists(errors) else ""
        if ("pełny ekran" in text) != (args.run == "bareserver") or (text and args.run != "bareserver"):
            raise Failure("Errors.log holds:\n" + text)
    except Failure as failure:
        print(f"e2e {args.run}: FAILED: {failure}")
        if game:
            game.stop()
            print(open(os.path.join(artifacts, "game-output.txt"), "rb").read().decode("utf-8", "replace")[-4000:])
        print(f"work folder kept: {work}")
        return 1
    finally:
        if manager:
            manager.kill()
            manager.wait()
    game.stop()
    shutil.rmtree(work)
    print(f"e2e {args.run}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())

# A learner at the program's window on a desktop of the end-to-end tests (a
# Session): the places of the client area, the pointer on them, and the
# exercise's moves, which the end-to-end run and the page's benchmark both
# make. This learner does not look at the screen; one that does (e2e_test.py)
# checks each step where it looks (sees, holds, finished).
import json, os

from session import wait_for

# The client places the widget tests use too, in pixels.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common", "client_layout.json")) as file:
    LAYOUT = json.load(file)
RECT, POINT = LAYOUT["rects"], LAYOUT["points"]
REST = 600, 2
WRITING_MOVES = 150
WRITING_MOVES_PER_LOOK = 4  # a look costs a grab; moves past the finished letter change nothing


def centre(name):
    x, y, w, h = RECT[name]
    return x + w // 2, y + h // 2


class Learner:
    def __init__(self, session, program):
        self.x, self.scale = session, session.scale
        self.process = session.launch(program)
        self.window = session.find_window("Pokaz")
        self.wait_for_full_size()

    def geometry(self):
        # A compositor may centre the window anew when its height changes.
        found = self.x.client_geometry(self.window)
        self.origin = found[:2]
        return found

    def wait_for_full_size(self):
        size = [round(n * self.scale) for n in LAYOUT["fullClientSize"]]
        wait_for(f"the window at {size}", lambda: self.geometry()[2:] == size)

    def screen(self, x, y):
        return self.origin[0] + int(x * self.scale + 0.5), self.origin[1] + int(y * self.scale + 0.5)

    # Clicks and releases leave the pointer on the frame's top edge, where no
    # tooltip shows up in a screenshot. (Xwayland loses a press that comes
    # soon after the pointer came back into the window.)
    def click(self, point, times=1, then=(), pause=0):
        self.x.click(*self.screen(*point), times, rest=self.screen(*REST), pause=pause)
        self.sees(*then)

    def press(self, point):
        self.x.move(*self.screen(*point))
        self.x.down()

    def release(self):
        self.x.up()
        self.x.move(*self.screen(*REST))

    def move_along(self, *points): self.x.path([self.screen(*p) for p in points])

    # What a learner who looks waits for: pictures on the screen, a drag
    # icon as the pointer, the letter finished.
    def sees(self, *pictures): pass
    def holds(self, icon): pass
    def finished(self): return False

    # The moves of the exercise.
    def take_out_paper_and_pencils(self):
        closed, opened = LAYOUT["closedDrawers"], LAYOUT["openDrawers"]
        self.click(closed[2], then=("Pic_L3_O", "Pic_Papir_0"))
        self.click(opened[2])
        self.click(closed[3], then=("Pic_L4_O", "Pic_Olovke"))
        self.click(opened[3], then=("Pic_L3_Z", "Pic_L4_Z"))

    def write(self):
        # A zig-zag over the paper whose neighbours never coincide, until the
        # letter is finished where the learner looks every few moves, which
        # makes up for motions the toolkit merged on a busy machine; whether
        # it finished.
        self.press(POINT["PencilsPoint"])
        self.holds("Pic_Olovke")
        x, y, w, h = RECT["Pic_Papir_1"]
        for n in range(WRITING_MOVES):
            self.move_along((x + 6 + n % 9 * 9, y + 6 if n % 2 == 0 else y + h - 7))
            if n % WRITING_MOVES_PER_LOOK == 0 and (finished := self.finished()):
                break
        self.release()
        return finished

    def put_in_envelope(self):
        self.click(POINT["PaperPoint"], times=2, then=("Pic_S_Z", "Pic_Pismo"))

    def post(self):
        # The slot opens under the envelope; the drop there posts it, and the
        # window takes the closing scene's height.
        self.press(POINT["EnvelopePoint"])
        # Into the closed slot, and the open one seen there before the drop (a
        # busy toolkit merges the motions it has not read yet).
        self.move_along(POINT["BetweenBackgroundsPoint"], POINT["SlotPoint"])
        self.sees("Pic_S_O")
        self.holds("Pic_Pismo")
        self.release()
        wait_for("the closing scene", lambda: round(self.geometry()[3] / self.scale) in LAYOUT["closingClientHeights"])
        self.x.move(*self.screen(*REST))  # back into the window, wherever it now stands

    def start_again(self):
        self.click(centre("BTN_Ponovo"))
        self.wait_for_full_size()

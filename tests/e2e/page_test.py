#!/usr/bin/python3
# The page as an app, in Chromium: a visit whose program cannot be fetched
# says so; after one visit it can be installed; a new build on the server is
# what the next visit runs, every file of it; and with the network cut, the
# visit after runs the whole exercise from what the browser kept.
#   page_test.py PAGE CMAKE MAKE_PAGE_ARGUMENT...
# The arguments are those with which the build makes the page, but its
# folders: the next build is the same program with a changed script, made
# into the served folder by the same script.
import os, shutil, subprocess, sys, time

from chromium_session import ChromiumSession
from learner import Learner, centre
from session import expect, wait_for

PAGE, CMAKE, *MAKE_PAGE = sys.argv[1:]
KEPT = "caches.keys().then(names => names.join())"
DAY = 24 * 60 * 60


def visit(browser, page, build=None):
    # The page comes up running `build`, if given, with the program's files of its own build only.
    learner = Learner(browser, page)
    running = browser.evaluate("BUILD")
    asked = browser.evaluate("performance.getEntriesByType('resource').map(e => e.name).filter(n => n.includes('?v='))")
    expect(build in (None, running), f"the next visit runs build {running}, not {build}")
    expect(asked and all(name.endswith("?v=" + running) for name in asked), f"build {running} fetched {asked}")
    return learner, running


def next_build(folder):
    # The program's script changed by a comment, and its page made anew in the place of the old one.
    program = os.path.join(folder + "-program")
    os.makedirs(program)
    for name in ("pokaz.js", "pokaz.wasm"):
        shutil.copy(os.path.join(folder, name), program)
    with open(os.path.join(program, "pokaz.js"), "a") as script:
        script.write("\n// The next build.\n")
    shutil.rmtree(folder)
    subprocess.run([CMAKE, "-DPROGRAM_DIR=" + program, "-DPAGE_DIR=" + folder, "-DZIP=" + folder + ".zip", *MAKE_PAGE],
                   check=True, stdout=subprocess.DEVNULL)


with ChromiumSession(1) as browser:
    served = os.path.join(browser.home.name, "served")
    shutil.copytree(os.path.dirname(PAGE), served)
    for name in os.listdir(served):  # put on the host a day ago, which a browser takes as fresh for hours
        os.utime(os.path.join(served, name), (time.time() - DAY,) * 2)
    page, program = os.path.join(served, "index.html"), os.path.join(served, "pokaz.wasm")
    # A page whose program cannot be fetched says so, instead of loading for ever.
    os.rename(program, program + ".gone")
    expect(browser.launch(page).wait(timeout=60) == 1, "the page did not say that its program failed")
    os.rename(program + ".gone", program)
    _, first = visit(browser, page)
    wait_for("the first build kept", lambda: browser.evaluate(KEPT) == "pokaz-" + first, 30)
    errors = browser.tools("Page.getInstallabilityErrors")["installabilityErrors"]
    expect(not errors, f"the page cannot be installed: {errors}")

    next_build(served)
    _, second = visit(browser, page)
    expect(second != first, "the next build has the first build's name")
    wait_for("the next build kept in the first one's place", lambda: browser.evaluate(KEPT) == "pokaz-" + second, 30)

    browser.cut_network()
    browser.events.clear()
    learner, _ = visit(browser, page, second)
    learner.take_out_paper_and_pencils()
    learner.write()
    learner.put_in_envelope()
    learner.post()
    learner.click(centre("BTN_Kraj"))
    expect(learner.process.wait(timeout=20) == 0, "Kraj did not end the program")
    changed = browser.misuse()
    expect(not changed, "the page kept or asked for what is not its own:\n" + "\n".join(changed)[:2000])
print("page as an app: ok")

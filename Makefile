# Front door of the Tavlon tree. See README.md.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps native windows test test-native test-windows test-installer installer run fuzz bench clean

all: native

deps:
	@sh tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

test-windows: windows
	ctest --preset windows

# Installs what a fresh machine lacks, builds both presets and runs every
# test: natively, the Windows executables under Wine, and the installer
# (installed, started, uninstalled) in a Wine prefix of its own.
test: test-native test-windows test-installer

# The installer, Tavlon-<version>-setup.exe in build/windows/, made with
# NSIS from the Windows build; the version is the program's own.
VERSION_TEXT := $(shell sed -n 's/^\#define TAVLON_VERSION_TEXT "\(.*\)"/\1/p' resources/resource_ids.h)
VERSION_MAJOR := $(shell sed -n 's/^\#define TAVLON_VERSION_MAJOR \([0-9]*\)/\1/p' resources/resource_ids.h)
VERSION_MINOR := $(shell sed -n 's/^\#define TAVLON_VERSION_MINOR \([0-9]*\)/\1/p' resources/resource_ids.h)
INSTALLER := build/windows/Tavlon-$(VERSION_TEXT)-setup.exe
installer: windows
	makensis -V2 -DVERSION=$(VERSION_TEXT) -DVERSION_NUMERIC=$(VERSION_MAJOR).$(VERSION_MINOR).0.0 \
	  -DEXE=$(CURDIR)/build/windows/shell/Tavlon.exe -DOUTFILE=$(CURDIR)/$(INSTALLER) installer/tavlon.nsi
	@echo "installer: $(INSTALLER)"

test-installer: installer
	xvfb-run -a -s "-screen 0 1024x768x24" sh installer/test-installer.sh \
	  $(CURDIR)/$(INSTALLER) $(CURDIR)/build/windows/tests/win32/tavlon_window_command.exe

# The main job: this year's calendar for the default settings (an empty
# settings folder, so the user's own settings play no part), written to
# tavlon-<year>.ics here, with where it went, how many entries it holds and
# the first day's entry.
YEAR := $(shell date +%Y)
RUN_DEFAULTS := build/run-defaults
run:
	@sh tools/install-deps.sh native
	@cmake --preset native >/dev/null
	@cmake --build --preset native --target tavlon-export -j $(JOBS) >/dev/null
	@rm -rf $(RUN_DEFAULTS) && mkdir -p $(RUN_DEFAULTS)
	@./build/native/cli/tavlon-export --config $(RUN_DEFAULTS) --data $(RUN_DEFAULTS) \
	  --from $(YEAR)-01-01 --to $(YEAR)-12-31 -o $(CURDIR)/tavlon-$(YEAR).ics --preview
	@sh tools/summer-check/summer-check.sh $(CURDIR)/tavlon-$(YEAR).ics $(YEAR)

bench: native
	./build/native/bench/tavlon_bench

fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

clean:
	rm -rf build

.PHONY: gui screenshots

# Starts Tavlon.exe on this display under Wine: in WINEPREFIX when it is
# set, else in a prefix of its own in the build folder (created on first
# use; the tests' prefixes are left alone), with its home beside it. A
# prefix made without Gecko has no .htm association: F1 opens the help
# page with Wine's browser, which hands it to the desktop's.
GUI_PREFIX = $(or $(WINEPREFIX),$(CURDIR)/build/windows/wineprefix-gui)
GUI_WINE = sh cmake/wine-run.sh "$(GUI_PREFIX)"
gui: windows
	@[ -n "$$DISPLAY" ] || { echo "make gui: no DISPLAY; start it from a desktop session"; exit 1; }
	@$(GUI_WINE) reg query 'HKCR\.htm' >/dev/null 2>&1 || \
	  $(GUI_WINE) reg add 'HKCR\.htm' /ve /d htmlfile /f >/dev/null 2>&1
	$(GUI_WINE) build/windows/shell/Tavlon.exe

# PNG pictures of the main window, the dialogs and the help page, in
# build/windows/screenshots/ (see tools/screenshots/screenshots.sh).
screenshots: windows
	@sh tools/install-deps.sh screenshots
	sh tools/screenshots/screenshots.sh

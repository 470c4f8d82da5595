# `make run` builds and starts the desktop program when there is a display
# ($DISPLAY or $WAYLAND_DISPLAY), else builds quillory-list and lists a folder
# with it; `make test` builds everything and runs the whole test suite. Each first installs the Debian
# packages it needs (scripts/install-deps; nothing happens when all are there).
# scripts/run and scripts/test do the same on a machine that has no make yet.
BUILD ?= build
JOBS ?= $(shell nproc)
RUN_FOLDER ?= $(CURDIR)
RUN_OUT ?= $(CURDIR)/$(BUILD)/out
# cmake --build runs make again below us; its "Entering directory" lines are noise.
MAKEFLAGS += --no-print-directory
CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test bench install clean

# The desktop program is built when its Qt parts are installed; a configured
# build folder then holds its target's folder.
GUI_CONFIGURED = test -d $(BUILD)/CMakeFiles/quillory.dir

run:
	./scripts/install-deps run
	$(CONFIGURE) >/dev/null
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && $(GUI_CONFIGURED); then \
	  cmake --build $(BUILD) --target quillory -j $(JOBS) && \
	  ./scripts/run-desktop "$(BUILD)/quillory"; \
	else \
	  cmake --build $(BUILD) --target quillory-list -j $(JOBS) && \
	  ./scripts/run-listing "$(BUILD)/quillory-list" "$(RUN_FOLDER)" "$(RUN_OUT)"; \
	fi

test:
	./scripts/install-deps test
	$(CONFIGURE) -DQUILLORY_TESTS=ON >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)

bench:
	./scripts/install-deps bench
	$(CONFIGURE) >/dev/null
	cmake --build $(BUILD) --target quillory_bench -j $(JOBS)
	BUILD=$(BUILD) ./bench/run

# Installs under $(PREFIX) (cmake's default prefix: /usr/local): quillory-list,
# and with the desktop program also quillory, its user guide
# (share/doc/quillory), desktop entry and icon.
install:
	./scripts/install-deps run
	$(CONFIGURE) >/dev/null
	cmake --build $(BUILD) --target quillory-list $$($(GUI_CONFIGURED) && echo quillory) -j $(JOBS)
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD)

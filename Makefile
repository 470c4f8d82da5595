# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
RUN_FOLDER ?= $(CURDIR)
RUN_OUT ?= $(CURDIR)/$(BUILD)/out

.PHONY: deps configure build run test bench clean

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run-listing "$(BUILD)/quillory-list" "$(RUN_FOLDER)" "$(RUN_OUT)"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	./bench/run

clean:
	rm -rf $(BUILD)

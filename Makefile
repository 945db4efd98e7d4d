# A thin layer over CMake: `make run` shows the table, `make test` runs every
# test. Under CI (CI=true) warnings are errors.
BUILD ?= build
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DCHISQ_WERROR=ON
endif

.PHONY: all build run test clean

all: build

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

run: build
	./$(BUILD)/chisq

test: build
	cd $(BUILD) && ctest --output-on-failure -j 2

clean:
	rm -rf $(BUILD)
